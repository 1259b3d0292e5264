// Help > User Guide hands the guide of the program's language to the desktop's viewer, and
// says a PDF reader is missing only when none could show it.
#include <filesystem>

#include "app/menus/MenuCommands.h"
#include "app/window/UserGuideFile.h"
#include "framework/language/LanguageTexts.h"
#include "platform/files/Files.h"
#include "platform/shell/choice/ShellChoice.h"
#include "platform/shell/headless/HeadlessShell.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class UserGuide : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        plat::setDesktopShell(&shell);
        ScreenHarness::SetUp();
        startLoggedIn();
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        plat::setDesktopShell(nullptr);
    }
    plat::HeadlessShell shell;
};

TEST_F(UserGuide, TheGuideOfTheLanguageOpensAndOnlyAFailureAlerts) {
    struct Case {
        bool spanish;
        bool viewer;
    };
    for (const Case& c : {Case{false, true}, Case{true, true}, Case{false, false}, Case{true, false}}) {
        SCOPED_TRACE(std::string(c.spanish ? "Spanish" : "English") + (c.viewer ? "" : ", no viewer"));
        if ((CurrentLanguage() == kLanguageSpanish) != c.spanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        shell.setOpens(c.viewer);
        const size_t before = shell.opened().size();
        ASSERT_TRUE(enabled(kCmdViewUsersGuide));
        mainWindow->OnCommand(kCmdViewUsersGuide);
        const std::vector<std::string> opened = shell.opened();
        ASSERT_EQ(opened.size(), before + 1);
        const std::string name = c.spanish ? kUserGuideSpanish : kUserGuideEnglish;
        ASSERT_GE(opened.back().size(), name.size());
        EXPECT_EQ(opened.back().substr(opened.back().size() - name.size()), name);
        // The content set put the guide where the command looks for it.
        const std::string host = plat::hostPathOfText(opened.back());
        EXPECT_TRUE(std::filesystem::is_regular_file(host)) << opened.back();
        // Named as the Help menu names it, accents and all.
        EXPECT_NE(opened.back().find(LookupLanguageText("MenuStrings", "ViewUsersGuide").c_str()), std::string::npos);
        const std::vector<mfxAlertRecord> shown = alerts();
        if (c.viewer) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, LookupLanguageText("GeneralStrings", "NeedAcrobat").c_str());
        }
    }
}

}  // namespace
