// What the program depends on is in place after a headless start, not only built.
#include "app/menus/MenuCommands.h"
#include "framework/language/LanguageTexts.h"
#include "platform/speech/choice/SpeechChoice.h"
#include "platform/speech/headless/HeadlessSpeech.h"
#include "tests/app/harness/ScreenHarness.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechHandler.h"
#include "text/speech/SpeechVoices.h"

namespace {

using namespace Ostrel;

class StartupHooks : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ASpeechHandler::DestroyInstance();
        plat::setSpeechBackend(&speech);
        ScreenHarness::SetUp();
        start();
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        plat::setSpeechBackend(nullptr);
    }
    SpeechHandler* handler() const { return dynamic_cast<SpeechHandler*>(ASpeechHandler::GetInstance()); }
    plat::HeadlessSpeechBackend speech;
};

// Texts whose reader picks no voice (the pages' texts) are spoken at all only once a voice of
// the program's language is chosen: at the start, and again when the language switches.
TEST_F(StartupHooks, SpeechHasAVoiceOfTheProgramsLanguage) {
    struct Row {
        const char* step;
        u16 language;
        plat::SpeechLanguage voice;
        u32 family;
    };
    const Row rows[] = {
        {"start", kLanguageEnglish, plat::SpeechLanguage::English, kSpeechFamilyEnglish},
        {"switched", kLanguageSpanish, plat::SpeechLanguage::Spanish, kSpeechFamilySpanish},
        {"switched back", kLanguageEnglish, plat::SpeechLanguage::English, kSpeechFamilyEnglish},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.step);
        if (i > 0) mainWindow->OnCommand(kCmdSwitchLanguage);
        EXPECT_EQ(CurrentLanguage(), row.language);
        ASSERT_NE(handler(), nullptr);
        EXPECT_EQ(handler()->family(), row.family);
        ASSERT_TRUE(handler()->voice().has_value());
        EXPECT_EQ(handler()->voice()->language, row.voice);
        // Spoken without a voice of its own, a text is heard in that voice.
        ASpeechHandler::GetInstance()->Speak("hello", 5);
        ASSERT_FALSE(speech.requests().empty());
        EXPECT_EQ(speech.requests().back().voice.language, row.voice);
    }
}

}  // namespace
