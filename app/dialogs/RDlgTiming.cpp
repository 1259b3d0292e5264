#include "app/dialogs/RDlgTiming.h"

#include <algorithm>
#include <string>

#include "app/dialogs/StorePageSettings.h"
#include "document/pages/RPage.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

namespace {

constexpr u16 kFieldFontSize = 14;
constexpr u16 kFieldMaxLength = 3;
constexpr const char* kDigits = "0123456789";
// The radio button of mode m is button m + 2 of the set, after Cancel and OK.
constexpr size_t kFirstModeButton = 2;

// Keys the seconds field takes: editing and caret keys, digits and the keypad's digits.
bool isSecondsKey(u8 key) {
    return key == 8 || key == 0x25 || key == 0x27 || key == 0x2E || (key >= 0x30 && key <= 0x39) || key == 0x4F ||
           (key >= 0x60 && key <= 0x69);
}

}  // namespace

void RDlgTiming::BuildButtons() { ButtonSet().Build(this, kTimingButtonSet); }

i16 RDlgTiming::Open(RPage* page) {
    if (!page) return 1;
    if (Run(kTimingContent, kTimingLayout) != 0) return 1;
    page_ = page;
    u8 seconds = 0;
    page_->GetTiming(&seconds, &mode_);
    seconds_ = seconds;
    MakeField({kTimingFieldParts, kFieldFontSize, kFieldMaxLength, 0}, std::to_string(seconds));
    if (field_) {
        field_->Field().CentreLine();
        field_->Field().SetAlphabet(kDigits);
        // The seconds show light in their dark well, the caret after them: selected, they would
        // be drawn inverted, dark on the selection's colour.
        const u16 end = u16(field_->Text().size());
        field_->Field().Field().SetSelection(end, end);
    }
    // The seconds take only their own keys: neither the Edit menu's keys nor a pasted text.
    if (field_) field_->Field().Field().ListenWhileActive(nullptr);
    ShowMode(mode_);
    sprUpdateScreen(1);
    return 0;
}

u16 RDlgTiming::FieldSeconds() const {
    if (!field_ || field_->Text().empty()) return kTimingSecondsWithoutText;
    const std::string& text = field_->Text();
    u32 value = 0;
    for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && value <= 0xFFFF; ++i)
        value = value * 10 + u32(text[i] - '0');
    return u16(std::min<u32>(value, 0xFFFF));
}

void RDlgTiming::ShowMode(u8 mode) {
    const size_t index = kFirstModeButton + mode;
    const RButtonSet& buttons = ButtonSet().Buttons();
    if (index >= buttons.size()) return;
    RButton& chosen = *buttons[index];
    if (const RHotSpotItem* item = chosen.GetHotSpot()) ButtonSet().ReleaseGroup(item->GetGroup(), item);
    chosen.HandleEvent(kHsEventSelect, true);
}

void RDlgTiming::ChooseMode(u8 mode) {
    mode_ = mode;
    ShowMode(mode);
}

void RDlgTiming::ShowSeconds(u16 seconds) {
    seconds_ = seconds;
    if (field_) field_->Field().SetText(std::to_string(seconds));
}

bool RDlgTiming::SecondsChosen() {
    const int index = FindButtonById(kTimingSecondsButton);
    if (index <= 0) return false;
    const u16 state = ButtonSet().Buttons()[size_t(index)]->GetState();
    return state == kButtonHighlighted || state == kButtonSelected;
}

void RDlgTiming::Confirm() {
    const u16 seconds = std::clamp<u16>(FieldSeconds(), 1, kTimingMaxSeconds);
    if (field_ && field_->Text() != std::to_string(seconds)) ShowSeconds(seconds);
    seconds_ = seconds;
    if (page_) {
        page_->SetTiming(u8(seconds), mode_);
        StorePageSettings(*page_);
    }
    Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
}

u32 RDlgTiming::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave: Answer(kDlgResultLeave, reinterpret_cast<uintptr_t>(this), kDlgResultLeave); return 0;
    case kDlgResultConfirm: Confirm(); return 0;
    case kTimingCmdModeTimed: ChooseMode(0); return 0;
    case kTimingCmdModeClick: ChooseMode(1); return 0;
    case kTimingCmdModeKey: ChooseMode(2); return 0;
    case kTimingCmdModeRead: ChooseMode(3); return 0;
    case kTimingCmdModeAfterRead: ChooseMode(4); return 0;
    case kTimingCmdMore:
        ShowSeconds(seconds_ >= kTimingMaxSeconds ? 0 : u16(seconds_ + 1));
        ChooseMode(0);
        return 0;
    case kTimingCmdLess:
        ShowSeconds(seconds_ == 0 ? kTimingMaxSeconds : u16(std::min<u16>(seconds_, kTimingMaxSeconds + 1) - 1));
        ChooseMode(0);
        return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RDlgTiming::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (!field_ || !isSecondsKey(keyRecordVirtualKey(key)) || !SecondsChosen()) return 1;
    field_->Activate();
    field_->Field().HandleKey(key);
    const u16 seconds = std::min(FieldSeconds(), kTimingMaxSeconds);
    if (field_->Text() != std::to_string(seconds))
        ShowSeconds(seconds);
    else
        seconds_ = seconds;
    return 1;
}

void RDlgTiming::HandleTick(u32 now) {
    if (!field_) return;
    if (FindButtonById(kTimingSecondsButton) > 0) {
        if (SecondsChosen())
            field_->Activate();
        else if (field_->IsActive())
            field_->Deactivate();
    }
    RFieldDlg::HandleTick(now);
}

}  // namespace Ostrel
