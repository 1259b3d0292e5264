// File > Export on the easel inside the running program: the export dialog's first types make
// the page a JPEG or BMP picture as the canvas shows it, the next a movie that standard players
// read, then a Flash movie; the file takes the type's extension in the user's folder, and
// only where it went is told.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/menus/MenuCommands.h"
#include "media/quicktime/QtConnection.h"
#include "media/swf/Movie.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/media/BmpCoding.h"
#include "platform/media/JpegCoding.h"
#include "screens/easel/RCanvas.h"
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
    // The name typed, then the dialog's type `type` steps down its list (each choice sends the
    // typing back to the name).
    std::string exportAs(const std::string& typed, int type) {
        queueText(typed);
        for (int i = 0; i < type; ++i) queueKey(plat::kVkTab), queueKey(plat::kVkDown);
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(kCmdExport);
        settle();
        return plat::hostPathOfText(app->GetPaths()->BuildPath(kFolderUser, false)) + "/";
    }
};

TEST_F(EaselExport, TheTypeChosenMakesAMovieOrAFlashMovie) {
    const std::string folder = exportAs("Mi presentación", 2);
    const std::string movie = folder + "Mi presentación.mov";
    ASSERT_TRUE(std::filesystem::exists(movie)) << "in " << folder;
    if (std::system("command -v ffprobe > /dev/null 2>&1") == 0) {
        const std::string command = "ffprobe -v error -show_entries stream=codec_name -of csv=p=0 '" + movie + "'";
        FILE* pipe = popen(command.c_str(), "r");
        char line[64] = {};
        ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
        pclose(pipe);
        EXPECT_EQ(std::string(line), "mjpeg\n");
    }
    // Only the movie's name and folder are told.
    const std::vector<mfxAlertRecord> told = alerts();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].text.find("\"Mi presentaci\xF3n.mov\""), std::string::npos) << told[0].text;

    exportAs("Begoña", 3);
    swf::document flash;
    EXPECT_EQ(swf::LoadMovieFromFile(flash, (folder + "Begoña.swf").c_str()), swf::kOk);
    EXPECT_GT(flash.frameRect.xMax, 0);
    EXPECT_NE(alerts().at(0).text.find("\"Bego\xF1" "a.swf\""), std::string::npos) << "told as the movie is";
}

// The file's picture, decoded by the program's own readers; empty when it is none.
plat::media::PictureImage decoded(const std::string& file, bool jpeg) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<u8> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    plat::media::PictureImage image;
    if (jpeg) {
        if (plat::media::jpegDecodeRgba(bytes.data(), u32(bytes.size()), &image.width, &image.height, image.rgba))
            image = {};
    } else if (plat::media::decodeBmp(bytes.data(), bytes.size(), image)) {
        image = {};
    }
    return image;
}

// Within `tolerance` levels a channel of the colour the window shows (0x00RRGGBB, each channel
// its five bits shifted up), the file spreading the five bits over all eight.
bool near(const u8* rgba, u32 shown, int tolerance) {
    for (int c = 0; c < 3; ++c) {
        const int channel = int((shown >> (16 - 8 * c)) & 0xFF);
        if (std::abs(int(rgba[c]) - (channel | channel >> 5)) > tolerance) return false;
    }
    return true;
}

// A painted band across the page comes out at the canvas's size, painted where the canvas
// shows it painted and blank where it shows it blank; BMP keeps every colour (each 5-bit
// channel spread to 8 bits), JPEG within its loss.
TEST_F(EaselExport, ThePictureTypesWriteThePageAsTheCanvasShowsIt) {
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    const i16 y = i16(canvas.top + 200);
    for (i16 row = -8; row <= 8; row += 2) drag({i16(canvas.left + 40), i16(y + row)}, {i16(canvas.left + 300), i16(y + row)});
    const Point16 painted{i16(canvas.left + 170), y};
    const Point16 blank{i16(canvas.left + 170), i16(y + 120)};
    const u32 paintedShown = shownPixel(painted) & 0xFFFFFF;
    const u32 blankShown = shownPixel(blank) & 0xFFFFFF;
    ASSERT_NE(paintedShown, blankShown) << "the stroke painted";

    struct Case {
        const char* typed;
        int type;
        const char* file;
        bool jpeg;
        int tolerance;
    };
    for (const Case& c : {Case{"sun", 0, "sun.jpg", true, 24}, Case{"sky", 1, "sky.bmp", false, 0},
                          Case{"Begoña", 0, "Begoña.jpg", true, 24}}) {
        SCOPED_TRACE(c.file);
        const std::string folder = exportAs(c.typed, c.type);
        const plat::media::PictureImage image = decoded(folder + c.file, c.jpeg);
        ASSERT_EQ(image.width, canvas.right - canvas.left) << "in " << folder;
        ASSERT_EQ(image.height, canvas.bottom - canvas.top);
        for (const auto& [at, shown] : {std::pair{painted, paintedShown}, std::pair{blank, blankShown}}) {
            const u8* pixel = image.pixel(at.h - canvas.left, at.v - canvas.top);
            EXPECT_TRUE(near(pixel, shown, c.tolerance))
                << std::hex << int(pixel[0]) << " " << int(pixel[1]) << " " << int(pixel[2]) << " shown " << shown;
        }
        EXPECT_FALSE(std::filesystem::exists(folder + "." + c.file + ".part"));
        EXPECT_EQ(alerts().size(), 1u) << "where the picture went";
    }
}

}  // namespace
