// File > Export on the easel inside the running program: the export dialog's first type makes
// the page a movie that standard players read, the next a Flash movie; the file takes the
// type's extension in the user's folder, and nothing is told, as nothing failed.
#include <cctype>
#include <filesystem>

#include "app/menus/MenuCommands.h"
#include "media/quicktime/QtConnection.h"
#include "media/swf/Movie.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class EaselExport : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        enterEasel();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(qtConnected());
    }
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }
    // The name typed, then the dialog's type `type` steps down its list.
    std::string exportAs(const std::string& typed, int type) {
        for (const char c : typed) queueKey(u8(std::toupper(u8(c))));
        if (type > 0) queueKey(plat::kVkTab);
        for (int i = 0; i < type; ++i) queueKey(plat::kVkDown);
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(kCmdExport);
        settle();
        return plat::hostPathOfText(app->GetPaths()->BuildPath(kFolderUser, false)) + "/";
    }
};

TEST_F(EaselExport, TheTypeChosenMakesAMovieOrAFlashMovie) {
    const std::string folder = exportAs("show", 0);
    const std::string movie = folder + "show.mov";
    ASSERT_TRUE(std::filesystem::exists(movie)) << "in " << folder;
    if (std::system("command -v ffprobe > /dev/null 2>&1") == 0) {
        const std::string command = "ffprobe -v error -show_entries stream=codec_name -of csv=p=0 '" + movie + "'";
        FILE* pipe = popen(command.c_str(), "r");
        char line[64] = {};
        ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
        pclose(pipe);
        EXPECT_EQ(std::string(line), "mjpeg\n");
    }

    exportAs("page", 1);
    swf::document flash;
    EXPECT_EQ(swf::LoadMovieFromFile(flash, (folder + "page.swf").c_str()), swf::kOk);
    EXPECT_GT(flash.frameRect.xMax, 0);
    EXPECT_TRUE(alerts().empty());
}

}  // namespace
