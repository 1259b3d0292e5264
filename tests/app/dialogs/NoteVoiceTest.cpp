// A teacher's note is read aloud in the voice of its own language, whatever the program's.
#include "app/dialogs/RNoteDlg.h"
#include "app/menus/MenuCommands.h"
#include "document/objects/RNotePageObject.h"
#include "platform/speech/choice/SpeechChoice.h"
#include "platform/speech/headless/HeadlessSpeech.h"
#include "tests/app/harness/ScreenHarness.h"
#include "text/speech/ASpeechHandler.h"

namespace {

using namespace Ostrel;

class NoteVoice : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ASpeechHandler::DestroyInstance();
        plat::setSpeechBackend(&speech);
        ScreenHarness::SetUp();
        startLoggedIn();
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        plat::setSpeechBackend(nullptr);
    }
    plat::HeadlessSpeechBackend speech;
    testapp::RecordingOwner owner;
};

TEST_F(NoteVoice, ANoteIsReadInTheVoiceOfItsLanguage) {
    struct Case {
        u16 noteLanguage;
        bool programInSpanish;
        plat::SpeechLanguage heard;
    };
    const Case cases[] = {
        {1, false, plat::SpeechLanguage::Spanish}, {0, false, plat::SpeechLanguage::English},
        {1, true, plat::SpeechLanguage::Spanish},  {0, true, plat::SpeechLanguage::English},
        {2, false, plat::SpeechLanguage::English},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.noteLanguage) + (c.programInSpanish ? " in Spanish" : " in English"));
        if ((CurrentLanguage() == kLanguageSpanish) != c.programInSpanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        RNotePageObject note(1);
        note.SetText("Hola, amigos");
        note.SetKind(c.noteLanguage);
        note.SetLanguage(c.noteLanguage);
        const size_t before = speech.requests().size();
        {
            RNoteDlg dialog(&owner, &note);
            ASSERT_EQ(dialog.Open(), 0);
            const std::vector<plat::SpeechRequest> heard = speech.requests();
            ASSERT_EQ(heard.size(), before + 1);
            EXPECT_EQ(heard.back().text, "Hola, amigos");
            EXPECT_EQ(heard.back().voice.language, c.heard);
        }
        // With the note gone, a text that chooses no voice is heard in the program's language.
        ASpeechHandler::GetInstance()->Speak("page", 4);
        EXPECT_EQ(speech.requests().back().voice.language,
                  c.programInSpanish ? plat::SpeechLanguage::Spanish : plat::SpeechLanguage::English);
    }
}

}  // namespace
