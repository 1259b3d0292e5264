// Reading the text aloud, checking its spelling and teaching the speech a word.
#include "app/application/RApplication.h"
#include "app/dialogs/RPronounceDlg.h"
#include "app/menus/RShellWindow.h"
#include "app/settings/GlobalUserSettings.h"
#include "document/users/Paths.h"
#include "framework/language/LanguageTexts.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/frames/MeasuringPort.h"
#include "panels/text/RTextPanel.h"
#include "panels/text/ReplaceCheckedWord.h"
#include "platform/files/Files.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechVoices.h"
#include "text/spellcheck/ModalSpellCheckDialog.h"
#include "text/spellcheck/PhoneticSpellChecker.h"
#include "text/spellcheck/SpellCheckPass.h"

namespace Ostrel {

bool RTextPanel::Speak(const std::string& text) {
    RApplication* app = GetApplication();
    const GlobalUserSettings* settings = app ? app->GetGlobalUserSettings() : nullptr;
    // The user's speech switch: off, nothing is said and nothing is kept.
    if (!settings || !settings->textToSpeech || text.empty()) return false;
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    if (!speech) return false;
    if (speaking_) StopSpeaking();
    speech->Stop();
    speech->SetVoiceFamily(CurrentLanguage() == kLanguageSpanish ? kSpeechFamilySpanish : kSpeechFamilyEnglish);
    speech->SetVoice(voiceIndex_);
    spoken_ = text;
    Say(kMsgPanelEnableCanvas, 0, kTextCursorSpeaking);
    speech->Speak(spoken_.c_str(), i32(spoken_.size()));
    speaking_ = true;
    return true;
}

void RTextPanel::StopSpeaking() {
    Say(kMsgPanelEnableCanvas, 0, kTextCursorPlace);
    speaking_ = false;
    if (ASpeechHandler* speech = ASpeechHandler::GetInstance()) speech->Stop();
    spoken_.clear();
    spoken_.shrink_to_fit();
    SetButton(kTextButtonSpeak, false);
}

void RTextPanel::CheckSpelling() {
    RApplication* app = GetApplication();
    if (!editing_ || !app || !app->GetPaths() || !app->GetMainWindow()) return;
    const Paths& paths = *app->GetPaths();
    RTEditor& editor = editing_->Editor();
    editing_->ShowMarks(false);
    bool recorded = false;
    SpellReplaceRoutine replace = [this, &editor, &recorded](u32 offset, u32 length, const std::string& word,
                                                             i32* adjust) {
        MeasuringPort port;
        if (replaceCheckedWord(editor, offset, length, word, adjust, &recorded)) Changed();
    };
    SpellSelectRoutine select = [this, &editor](u32 offset, u32 length, i32* adjust) {
        selectCheckedWord(editor, offset, length, *adjust);
        editing_->ShowMarks(true);
    };
    auto dialog = std::make_unique<ModalSpellCheckDialog>(app->GetMainWindow());
    const std::string text = editor.CopyPlainText();
    const int language = CurrentLanguage() == kLanguageSpanish ? kProgramLanguageSpanish : 1;
    SpellCheckPass pass(std::move(replace), std::move(select));
    if (dialog->Loaded() &&
        pass.Start(text.c_str(), u32(text.size()),
                   PhoneticSpellChecker::Create(language, plat::hostPathOfText(paths.ProgramFolder()),
                                                plat::hostPathOfText(paths.BuildPath(kFolderUser, false))),
                   std::move(dialog)) == kSpellPassReady) {
        pass.Run();
        editor.SetSelection(editor.Text() ? editor.Text()->Length() : 0, editor.Text() ? editor.Text()->Length() : 0);
        Changed();
    }
    editing_->ShowMarks(true);
}

void RTextPanel::OpenPronounceDialog() {
    if (pronounce_) return;
    pronounce_ = std::make_unique<RPronounceDlg>(this, kMsgTextPronounceClosed);
    if (pronounce_->Open() != 0) {
        pronounce_.reset();
        return;
    }
    SetButton(kTextButtonPronounce, true);
}

}  // namespace Ostrel
