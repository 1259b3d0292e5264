#include "app/dialogs/RABCTextDlg.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

namespace {

constexpr size_t kTakenBytes = 261;
constexpr i32 kJustification = -1;

}  // namespace

i16 RABCTextDlg::Open(const std::string& text) {
    if (Run(kABCTextContent, kABCTextLayout) != 0) return 1;
    const std::string shown = text.substr(0, kABCTextMaxLength);
    const DialogFieldSpec spec{kABCTextFieldParts, kNameFieldFontSize, kABCTextMaxLength, kJustification};
    MakeField(spec, shown.empty() ? ABCTextDefault() : shown);
    UpdateOkButton();
    sprUpdateScreen(1);
    return 0;
}

void RABCTextDlg::Accept() {
    if (!field_) return;
    std::string taken = field_->Text().substr(0, kTakenBytes);
    std::string trimmed = taken;
    if (!TrimBlanks(trimmed)) return;
    // The text is kept in the user's 64-byte setting: 63 characters and its end.
    text_ = taken.substr(0, kABCTextMaxLength);
    Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
}

void RABCTextDlg::UpdateOkButton() {
    if (field_ && !field_->Text().empty())
        ButtonSet().Enable(kDlgResultConfirm);
    else
        ButtonSet().Disable(kDlgResultConfirm);
}

u32 RABCTextDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kABCTextCmdOther: Answer(u16(message->code), reinterpret_cast<uintptr_t>(this), u16(message->code)); return 0;
    case kDlgResultConfirm: Accept(); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RABCTextDlg::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (keyRecordVirtualKey(key) == kKeyReturn) {
        Accept();
        return 1;
    }
    if (field_) field_->Field().HandleKey(key);
    return 1;
}

u32 RABCTextDlg::HandleKeyUp(u32) {
    UpdateOkButton();
    return 1;
}

}  // namespace Ostrel
