// The user's "user.ini" through the running program: the switches a child sets outlive the
// session, a damaged file is set aside with one message and a fresh file takes its place, and
// a file that refuses the save is told once.
#include <filesystem>
#include <fstream>

#include "app/settings/DamagedUserFile.h"
#include "framework/language/LanguageTexts.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

class UserSettingsFile : public testapp::ScreenHarness {
protected:
    std::string userFile(const std::string& user = "Maya") const { return root_ + "/data/tumblo4/Users/" + user + "/user.ini"; }
    void put(const std::string& text) {
        fs::create_directories(fs::path(userFile()).parent_path());
        std::ofstream(userFile(), std::ios::binary) << text;
    }
    static std::string text(const char* key) { return LookupLanguageText("FileStrings", key).c_str(); }
    std::vector<std::string> alertTexts() {
        std::vector<std::string> out;
        for (const mfxAlertRecord& alert : alerts()) out.push_back(alert.text);
        return out;
    }
};

TEST_F(UserSettingsFile, TheSwitchesAChildSetsAreThereAtTheNextLogin) {
    startLoggedIn("Maya");
    app->GetGlobalUserSettings()->toolSounds = 0;
    app->GetGlobalUserSettings()->manualAdvance = 1;
    logIn("Bo");
    EXPECT_EQ(app->GetGlobalUserSettings()->toolSounds, 1) << "Bo has his own";
    logIn("Maya");
    EXPECT_EQ(app->GetGlobalUserSettings()->toolSounds, 0);
    EXPECT_EQ(app->GetGlobalUserSettings()->manualAdvance, 1);
    EXPECT_TRUE(alertTexts().empty());
}

TEST_F(UserSettingsFile, ADamagedFileIsSetAsideToldOnceAndStartedAfresh) {
    const char bytes[] = "[GlobalUser]\r\nToolSnds=FALSE\r\nTTS=\0TRUE\r\n";
    const std::string damaged(bytes, sizeof bytes - 1);
    put(damaged);
    startLoggedIn("Maya");
    ASSERT_FALSE(text("DamagedUserSettings").empty());
    EXPECT_EQ(alertTexts(), std::vector<std::string>{text("DamagedUserSettings")});
    EXPECT_EQ(readFile(userFile() + kDamagedFileSuffix), damaged);
    EXPECT_NE(readFile(userFile()).find("ToolSnds=TRUE"), std::string::npos) << "the defaults, in a file that reads";
    // From then on the settings are kept again, and nothing more is said.
    app->GetGlobalUserSettings()->toolSounds = 0;
    logIn("Maya");
    EXPECT_EQ(app->GetGlobalUserSettings()->toolSounds, 0);
    EXPECT_TRUE(alertTexts().empty());
}

TEST_F(UserSettingsFile, AFileThatRefusesTheSaveIsToldOnceUntilASaveSucceeds) {
    startLoggedIn("Maya");
    alerts();
    const auto save = [&](bool writable) {
        fs::permissions(userFile(), fs::perms::owner_write, writable ? fs::perm_options::add : fs::perm_options::remove);
        app->GetGlobalUserSettings()->toolSounds ^= 1;
        app->SaveGlobalUserSettings();
    };
    save(false);
    save(false);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{text("CantSaveUserSettings")});
    save(true);
    save(false);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{text("CantSaveUserSettings")}) << "told again after a save that worked";
    fs::permissions(userFile(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
