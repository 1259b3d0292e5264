// Starts that cannot go on end with a message in the program's language and a documented exit
// code: the program already running (here for another user of the machine, or for this user
// with no window to bring forward: "MutexError", 1), or a data or settings folder that cannot
// be written (read-only, its disc full: the folder named, 73). No window exists yet, so the
// message also goes to the terminal; the start that may go on goes on quietly.
#include <filesystem>

#include "engine/util/SingleInstance.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "platform/drives/Drives.h"
#include "platform/system/NamedMutex.h"
#include "tests/app/application/ShellTestFixture.h"

namespace {

using namespace Ostrel;

class StartupRefusal : public testapp::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::filesystem::create_directories(root_ + "/locks");
        plat::setNamedMutexRoot(root_ + "/locks");
        mfxTakeAlertRecords();
    }
    void TearDown() override {
        ReleaseSingleInstanceMutexes();
        plat::setNamedMutexRoot("");
        ShellTest::TearDown();
    }
};

TEST_F(StartupRefusal, TellsWhyAndEndsWithItsCode) {
    struct Case {
        const char* name;
        const char* heldMutex;  // another instance's
        const char* fakedRoot;  // the folder a drive plays, below the test's root
        std::function<void(plat::FakeDrive&)> fault;
        u16 code;
        const char* key;
        const char* folder;  // named in the text, below the test's root
    };
    const Case cases[] = {
        {"nothing in the way", nullptr, nullptr, nullptr, 0, nullptr, nullptr},
        {"the user runs it, no window found", "Local\\TUMBLO4", nullptr, nullptr, 1, "MutexError", nullptr},
        {"another user runs it", "Global\\GTUMBLO4", nullptr, nullptr, 1, "MutexError", nullptr},
        {"data folder read-only", nullptr, "data", [](plat::FakeDrive& d) { d.setWriteProtected(true); },
         kExitUnwritableFolder, "CantWriteFolder", "data/tumblo4/Users"},
        {"settings folder's disc full", nullptr, "config",
         [](plat::FakeDrive& d) { d.failNext(plat::kSysDiskFull, 1000); }, kExitUnwritableFolder, "CantWriteFolder",
         "config/tumblo4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<plat::NamedMutex> other;
        if (c.heldMutex) {
            other = std::make_unique<plat::NamedMutex>(c.heldMutex);
            ASSERT_TRUE(other->tryLock());
        }
        SingleInstanceCheck("Tumblo 4");
        std::unique_ptr<plat::FakeDrive> drive;
        if (c.fakedRoot) {
            std::filesystem::create_directories(root_ + "/" + c.fakedRoot);
            drive = std::make_unique<plat::FakeDrive>('T', plat::FakeDisc{root_ + "/" + c.fakedRoot, "HOME", 7},
                                                      plat::DriveType::Fixed);
            c.fault(*drive);
        }
        std::vector<std::string> log;
        ShellParts shell = parts(&log);
        // The faked folder is reached through its drive.
        if (c.fakedRoot) (std::string(c.fakedRoot) == "data" ? shell.roots.data : shell.roots.settings) = "T:\\tumblo4";
        RApplication application;
        application.SetShellParts(shell);
        ::testing::internal::CaptureStderr();
        const u16 code = application.Startup(0, {});
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(code, c.code);
        const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
        if (c.key) {
            std::string text = LookupLanguageText(c.key == std::string("MutexError") ? "XPStrings" : "FileStrings", c.key).c_str();
            if (c.folder) text.replace(text.find("%1"), 2, root_ + "/" + c.folder);
            ASSERT_EQ(alerts.size(), 1u);
            EXPECT_EQ(alerts[0].text, text);
            EXPECT_EQ(alerts[0].style, kAlertOk | kAlertIconStop);
            const std::string line = LookupLanguageText("GeneralStrings", "AppName").c_str() + std::string(": ") + text;
            EXPECT_NE(told.find(line + "\n"), std::string::npos) << told;
            EXPECT_EQ(log, std::vector<std::string>{}) << "no screen came up";
        } else {
            EXPECT_TRUE(alerts.empty());
            EXPECT_EQ(told.find("Tumblo"), std::string::npos) << told;
        }
        application.ExitInstance();
        ReleaseSingleInstanceMutexes();
        std::filesystem::remove_all(root_ + "/data");
        std::filesystem::remove_all(root_ + "/config");
    }
}

}  // namespace
