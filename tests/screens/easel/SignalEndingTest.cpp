// A session that ends under the program (SIGTERM at a logout or a shutdown, SIGINT, SIGHUP)
// while the child's painting is unsaved and a dialog, the disc prompt or an export is up:
// nothing is asked, the page becomes the recovery copy that the next login offers, and the
// program ends from inside that loop (under the save question: the signal ending journey).
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "app/menus/MenuCommands.h"
#include "document/project/RecoveryCopy.h"
#include "engine/resources/NamedResources.h"
#include "framework/app/mfxSignalEnding.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/dialogs/mfxDialogHost.h"
#include "media/quicktime/QtConnection.h"
#include "platform/display/QuitSignals.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/RCanvas.h"
#include "tests/HangWatchdog.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

class SignalEnding : public testscreens::EaselHarness {
protected:
    void TearDown() override {
        display_.whilePumped = nullptr;
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }
    // The program's content folder made real, `name` left out of it (the disc it was on is gone).
    void removeArchive(const char* name) {
        const fs::path data = fs::path(root_) / "prog" / "Data";
        const fs::path target = fs::read_symlink(data);
        fs::remove(data);
        fs::create_directory(data);
        for (const fs::directory_entry& entry : fs::directory_iterator(target))
            if (entry.path().filename() != name) fs::create_symlink(entry.path(), data / entry.path().filename());
    }
    std::string pictures() const { return root_ + "/data/tumblo4/Users/Maya/Pictures/"; }
};

TEST_F(SignalEnding, AnySignalUnderAnyLoopKeepsTheUnsavedPageAndAsksNothing) {
    struct Case {
        const char* name;
        int signal;
        // Pumps under a box that go by before the signal comes (the export's name is typed
        // into its dialog first).
        int pumpsBefore;
        std::function<void()> open;
        // What stands over the page while the loop waits.
        std::function<bool()> up;
    };
    const auto boxUp = [] { return mfxDialogHost::AnyShown(); };
    const Case cases[] = {
        {"the Save dialog", SIGINT, 0, [this] { mainWindow->OnCommand(kCmdSave); }, boxUp},
        {"the print dialog", SIGHUP, 0,
         [this] {
             // The framework's archive, beside the program, holds the print dialog.
             ASSERT_EQ(OpenNamedResource("System", 1), kErrNone);
             mainWindow->OnCommand(kCmdPrint);
             ReleaseNamedResource("System");
         },
         boxUp},
        {"the disc prompt of a help archive gone", SIGTERM, 0,
         [this] {
             removeArchive("EaselHelp.kvr");
             click(centreOf(easel->Buttons()[size_t(easel->FindButtonById(kHelpButton))]->GetSprite()));
         },
         boxUp},
        {"a movie export under way", SIGTERM, 1,
         [this] {
             for (const char c : std::string("SHOW")) queueKey(u8(c));
             for (int i = 0; i < 2; ++i) queueKey(plat::kVkTab), queueKey(plat::kVkDown);
             queueKey(plat::kVkReturn);
             mainWindow->OnCommand(kCmdExport);
         },
         boxUp},
    };
    qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
    const std::string copy = pictures() + kRecoveryCopyName;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HangWatchdog watchdog(std::string("the signal under ") + c.name, std::chrono::seconds(120));
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        app->GetContentManager()->stopProgram = [](int) {};
        const Rect16 canvas = easel->Canvas()->CanvasRect();
        drag({i16(canvas.left + 40), i16(canvas.top + 60)}, {i16(canvas.left + 240), i16(canvas.top + 90)});
        const u64 painted = PictureHash(canvas);
        ASSERT_TRUE(app->GetCurrentPage()->Data().IsDirty());
        // As from a terminal, not a script's background job (SIGINT ignored, left so).
        const auto started = std::signal(c.signal, SIG_DFL);
        {
            const plat::QuitSignalCatcher catching;
            std::vector<int> ended;
            size_t askedWhileEnding = 0;
            const mfxSignalEnding ending(*app, [&](int signal) {
                ended.push_back(signal);
                askedWhileEnding = alerts().size();
            }, 0);
            // The signal comes while the loop waits; the loop's next look at the display takes it.
            int pumpsUnder = 0;
            display_.whilePumped = [&] {
                if (!ended.empty() || !c.up() || pumpsUnder++ < c.pumpsBefore) return;
                alerts();
                ASSERT_EQ(std::raise(c.signal), 0);
                display_.HeadlessDisplay::pumpEvents();
            };
            c.open();
            settle();
            display_.whilePumped = nullptr;
            EXPECT_EQ(ended, std::vector<int>{c.signal});
            EXPECT_EQ(askedWhileEnding, 0u) << "nothing asked";
            app->ExitInstance();
            app.reset();
            alerts();
        }
        std::signal(c.signal, started);
        struct stat info {};
        ASSERT_EQ(::stat(copy.c_str(), &info), 0) << "the recovery copy";
        EXPECT_EQ(info.st_mode & 022, 0u);
        std::vector<std::string> kept;
        for (const fs::directory_entry& entry : fs::directory_iterator(pictures()))
            kept.push_back(entry.path().filename().string());
        EXPECT_EQ(kept, std::vector<std::string>{kRecoveryCopyName}) << "no picture saved but the copy";

        // The next login offers it back: Yes brings the painting onto the easel.
        fs::remove_all(fs::path(root_) / "prog" / "Data");
        fs::create_directory_symlink(fs::path(TUMBLO_TEST_PROGRAM_DIR) / "Data", fs::path(root_) / "prog" / "Data");
        answerAlerts({kAlertAnswerYes});
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        EXPECT_EQ(alerts().size(), 1u) << "offered";
        EXPECT_EQ(PictureHash(canvas), painted);
        app->ExitInstance();
        app.reset();
        fs::remove_all(pictures());
    }
}

}  // namespace
