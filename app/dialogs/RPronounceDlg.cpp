#include "app/dialogs/RPronounceDlg.h"

#include "app/window/RDisplayWindow.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "text/field/Editor.h"
#include "text/host/TextKeys.h"
#include "text/speech/ASpeechHandler.h"

namespace Ostrel {

namespace {

constexpr i32 kJustification = -1;
constexpr u8 kKeyTab = 9;
// Button events: pressed look, released look, the add button's done look.
constexpr u16 kEventSpeaking = 8199;
constexpr u16 kEventSpoken = 8198;
constexpr u16 kEventAdded = 8196;

}  // namespace

RPronounceDlg::RPronounceDlg(CListener* owner, u32 kind)
    : RDlgBase(owner, kind ? kind : kDlgResultLeave), speech_(ASpeechHandler::GetInstance()) {
    if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(1);
}

RPronounceDlg::~RPronounceDlg() {
    word_.reset();
    sound_.reset();
    // The constructor grayed the menu bar; an open dialog gives it back as it closes, one that
    // never opened gives it back here.
    if (!IsOpen())
        if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(0);
}

i16 RPronounceDlg::Open() {
    if (Run(kPronounceContent, kPronounceLayout) != 0) return 1;
    word_ = DialogEntryField::Make({kPronounceWordArea, kNameFieldFontSize, kPronounceMaxLength, kJustification}, "",
                                   GetRootSprite());
    sound_ = DialogEntryField::Make({kPronounceSoundArea, kNameFieldFontSize, kPronounceMaxLength, kJustification}, "",
                                    GetRootSprite());
    if (sound_) sound_->Deactivate();
    Activate(kPronounceWordArea);
    sprUpdateScreen(1);
    return 0;
}

DialogEntryField* RPronounceDlg::Active() const {
    return activeArea_ == kPronounceWordArea ? word_.get() : activeArea_ == kPronounceSoundArea ? sound_.get() : nullptr;
}

void RPronounceDlg::Activate(int area) {
    if (DialogEntryField* was = Active(); was && area != activeArea_) was->Deactivate();
    activeArea_ = area;
    if (DialogEntryField* now = Active()) now->Activate();
}

void RPronounceDlg::SpeakButtons(u16 event) {
    const RButtonSet& buttons = ButtonSet().Buttons();
    for (size_t i = 1; i < 3 && i < buttons.size(); ++i) buttons[i]->HandleEvent(event, true);
}

void RPronounceDlg::Say(DialogEntryField* field) {
    if (!field) return;
    std::string text = field->Text().substr(0, kPronounceMaxLength);
    std::string blank = text;
    if (!TrimBlanks(blank)) return;
    const u16 length = u16(text.size());
    PostValueTo(GetOwner(), kMsgSpeakText, std::move(text), length);
    SpeakButtons(kEventSpeaking);
}

void RPronounceDlg::Add() {
    if (!word_ || !sound_ || word_->Text().empty() || sound_->Text().empty()) return;
    const std::string word = word_->Text().substr(0, kPronounceMaxLength);
    const std::string said = sound_->Text().substr(0, kPronounceMaxLength);
    word_->Field().SetText("");
    sound_->Field().SetText("");
    if (!ButtonSet().Buttons().empty()) ButtonSet().Buttons().front()->HandleEvent(kEventAdded, true);
    if (speech_) speech_->AddPronunciation(word, said);
}

u32 RPronounceDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave: Answer(kDlgResultLeave, reinterpret_cast<uintptr_t>(this), kDlgResultLeave); return 0;
    case kPronounceCmdSayWord: Say(word_.get()); return 0;
    case kPronounceCmdSaySound: Say(sound_.get()); return 0;
    case kMsgSpeakingDone: SpeakButtons(kEventSpoken); return 0;
    case kPronounceCmdAdd: Add(); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RPronounceDlg::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (keyRecordVirtualKey(key) == kKeyTab) {
        Activate(activeArea_ == kPronounceWordArea ? kPronounceSoundArea : kPronounceWordArea);
        return 1;
    }
    if (keyRecordVirtualKey(key) == kKeyReturn) {
        Add();
        return 1;
    }
    if (DialogEntryField* field = Active()) field->Field().HandleKey(key);
    return 1;
}

u32 RPronounceDlg::HandleInput(u32, Point16 point, u32) {
    for (DialogEntryField* field : {word_.get(), sound_.get()}) {
        if (field && field->Contains(point)) {
            Activate(field == word_.get() ? kPronounceWordArea : kPronounceSoundArea);
            field->MouseDown(point);
        }
    }
    return 1;
}

u32 RPronounceDlg::HandleMouseMove(Point16 point, u32) {
    if (DialogEntryField* field = Active()) field->MouseDrag(point);
    return 1;
}

u32 RPronounceDlg::HandleMouseUp(u32, Point16, u32) {
    if (DialogEntryField* field = Active()) field->MouseUp();
    return 1;
}

void RPronounceDlg::HandleTick(u32 now) {
    if (DialogEntryField* field = Active()) field->Field().Blink(now);
}

}  // namespace Ostrel
