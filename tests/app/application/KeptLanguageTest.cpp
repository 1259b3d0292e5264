// The settings file names the language a start speaks (a child's choice kept from one start to
// the next is the start language journey's).
#include "tests/app/window/WindowShellFixture.h"

namespace {

using namespace Ostrel;

class KeptLanguage : public testapp::WindowShellTest {
protected:
    void restart(const char* settings) {
        if (app) app->ExitInstance();
        app.reset();
        SetCurrentLanguage(kLanguageEnglish);
        writeSettings(settings);
        start();
    }
};

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
