// The language a child chose is the one the next start speaks, from the first screen on.
#include "tests/app/window/WindowShellFixture.h"

namespace {

using namespace Ostrel;

class KeptLanguage : public testapp::WindowShellTest {
protected:
    void restart(const char* settings = nullptr) {
        if (app) app->ExitInstance();
        app.reset();
        SetCurrentLanguage(kLanguageEnglish);
        if (settings) writeSettings(settings);
        start();
    }
};

TEST_F(KeptLanguage, TheLanguageChosenIsTheOneTheNextStartSpeaks) {
    start();
    for (const u16 language : {kLanguageSpanish, kLanguageEnglish}) {
        mainWindow->OnCommand(kCmdSwitchLanguage);
        restart();
        EXPECT_EQ(CurrentLanguage(), language);
        EXPECT_EQ(contentsItemName("RDlgLogin") == "RDlgLogin_sp", language == kLanguageSpanish);
    }
}

// A settings file a teacher wrote on Linux (line feeds only), or by hand.
TEST_F(KeptLanguage, TheSettingsFileNamesTheLanguageOfTheStart) {
    const std::pair<const char*, u16> rows[] = {
        {"[GeneralSettings]\nLanguage=1\n", kLanguageSpanish},   {"[GeneralSettings]\r\nLanguage=1", kLanguageSpanish},
        {"[GeneralSettings]\nLanguage=Spanish\n", kLanguageEnglish}, {"[GeneralSettings]\nLanguage=7\n", kLanguageEnglish},
    };
    for (const auto& [settings, language] : rows) {
        restart(settings);
        EXPECT_EQ(CurrentLanguage(), language) << settings;
    }
}

}  // namespace
