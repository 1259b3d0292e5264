#include "app/dialogs/RNoteDlg.h"

#include "app/application/RApplication.h"
#include "app/dialogs/DialogTextBox.h"
#include "app/window/RDisplayWindow.h"
#include "document/objects/RNotePageObject.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/language/LanguageTexts.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechVoices.h"

namespace Ostrel {

namespace {

constexpr u16 kSpanishVoice = 1;

bool textToSpeechOn() {
    const RApplication* app = GetApplication();
    const GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    return settings && settings->textToSpeech != 0;
}

}  // namespace

RNoteDlg::RNoteDlg(CListener* owner, RNotePageObject* note)
    : RDlgBase(owner, kDlgKindNote), note_(note), speech_(ASpeechHandler::GetInstance()) {
    SetResult(kDlgResultConfirm);
}

RNoteDlg::~RNoteDlg() {
    StopReading();
    // The note's language was the reading's only: other texts speak in the program's again.
    if (voiceChosen_) RApplication::SpeakInLanguage(CurrentLanguage());
    if (IsOpen())
        if (RDisplayWindow* window = RDisplayWindow::Get()) window->RemoveListener(this);
}

i16 RNoteDlg::Open() {
    if (!note_) return 1;
    if (Run(kNoteContent, kNoteLayout) != 0) return 1;
    if (RDisplayWindow* window = RDisplayWindow::Get()) window->AddListener(this);
    text_ = note_->GetText().substr(0, kNoteTextBytes);
    spanish_ = note_->GetKind();
    if (SprSprite* root = sprFind(GetRootSprite())) {
        root->data1 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(root, root->ready, root->step, &RNoteDlg::Draw);
    }
    DrawToggle();
    sprUpdateScreen(1);
    RMessage read(kNoteCmdRead, 0, 0);
    HandleMessage(&read, 0);
    return 0;
}

void RNoteDlg::Draw(SprSprite* sprite) {
    sprDrawParts(sprite);
    const auto* dialog = reinterpret_cast<const RNoteDlg*>(sprite->data1);
    if (!dialog || sprite->hideCount > 0) return;
    DialogTextStyle style;
    style.size = 16;
    style.colour = GfxColor::rgb(59, 42, 92);
    DrawDialogText(FirstPartRect(kNoteTextParts), dialog->text_, style);
}

void RNoteDlg::DrawToggle() {
    const int index = FindButtonById(kNoteCmdSpanish);
    if (index < 0) return;
    // The button's own states (up and pressed) show the tick alike: only the choice changes it,
    // and its next redraw under the pointer keeps it.
    const u16 shape = spanish_ ? kNoteToggleSpanish : kNoteToggleEnglish;
    ButtonSet().Buttons()[size_t(index)]->SetLook(shape, spanish_ ? kNoteToggleSpanishLit : kNoteToggleEnglishLit, shape);
    sprUpdateScreen(1);
}

void RNoteDlg::Read() {
    StopReading();
    if (!speech_ || !note_ || !textToSpeechOn() || note_->GetText().empty()) return;
    const std::string& text = note_->GetText();
    // The family first: choosing the voice then selects it within the note's language.
    const u16 language = note_->GetLanguage();
    speech_->SetVoiceFamily(speechFamilyOfNoteLanguage(language));
    voiceChosen_ = true;
    speech_->SetVoice(language == kSpanishVoice ? kSpanishVoice : 0);
    speech_->Speak(text.c_str(), i32(text.size()));
    speaking_ = true;
}

void RNoteDlg::StopReading() {
    if (!speaking_) return;
    speaking_ = false;
    if (speech_) speech_->Stop();
}

u32 RNoteDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultConfirm:
        SetResult(kDlgResultConfirm);
        if (note_ && spanish_ != note_->GetKind()) note_->SetKind(spanish_);
        PostMessageTo(GetOwner(), kDlgKindNote, 0, 0);
        return 0;
    case kDlgResultLeave:
        // Escape closes the note as it stands.
        SetResult(kDlgResultLeave);
        PostMessageTo(GetOwner(), kDlgKindNote, 0, 0);
        return 0;
    case kNoteCmdSpanish:
        spanish_ = spanish_ ? 0 : 1;
        DrawToggle();
        return 0;
    case kNoteCmdRead:
        SetResult(kNoteCmdRead);
        Read();
        return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

void RNoteDlg::HandleTick(u32) {
    if (speaking_ && speech_ && !speech_->IsSpeaking()) speaking_ = false;
}

}  // namespace Ostrel
