// A child brings her own files onto a page from the desktop's pictures folder: a Flash movie
// through Add a Movie, which lists it among the movies; a small picture through Add a Picture,
// chosen to tile the page, which then fills it; and a movie, which plays from the picture she
// saves once its own file is gone.
#include <filesystem>
#include <fstream>

#include "contentgen/content/SwfMovieWriter.h"
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0xE02020, kBlue = 0x2040E0;

std::string text(const std::string& section, const std::string& key) { return languageText("English", section, key); }

bool isNear(uint32_t p, uint32_t colour) {
    const auto near = [](uint32_t a, uint32_t b) { return (a > b ? a - b : b - a) < 0x30; };
    return near(p >> 16 & 0xFF, colour >> 16 & 0xFF) && near(p >> 8 & 0xFF, colour >> 8 & 0xFF) && near(p & 0xFF, colour & 0xFF);
}

// The desktop's pictures folder of the journey's home, where the dialogs for outside files open.
fs::path picturesFolder(const Journey& j) {
    fs::create_directories(j.home() / "Pictures");
    return j.home() / "Pictures";
}

// Picks the file in the open dialog's list (black on the list's white).
testing::AssertionResult pickFile(Journey& j, const std::string& name) {
    Area file;
    if (auto shown = j.waitFor(
            [&] { return (file = findWidgetText(j.screenshot(), name, {0, kMenuBarHeight, 800, 600}, kWidgetText, 0xFFFFFF)).width > 0; },
            name + " in the dialog's list");
        !shown)
        return shown;
    j.click(file);
    return j.settle();
}

testing::AssertionResult open(Journey& j) {
    const Area button = findWidgetText(j.screenshot(), text("FileDialog", "Open"), {0, kMenuBarHeight, 800, 600});
    if (button.width == 0) return testing::AssertionFailure() << "the dialog's Open button";
    j.click(button);
    return testing::AssertionSuccess();
}

TEST(MediaImportJourney, AddAMovieListsAFlashFileFromThePicturesFolderAndPlacesIt) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    // A red box of 160 by 120 pixels on a movie of that size.
    Raster box(160, 120);
    std::fill(box.pixels.begin(), box.pixels.end(), 0xFF000000u | kRed);
    const std::vector<u8> swf = writeSwfMovie(box, {SwfPlacement{80, 60}}, 160, 120, 12);
    std::ofstream(picturesFolder(j) / "hop.swf", std::ios::binary).write(reinterpret_cast<const char*>(swf.data()), std::streamsize(swf.size()));
    const Shot blank = j.screenshot();

    ASSERT_TRUE(chooseMenu(j, text("MenuStrings", "Add"), text("MenuStrings", "AddMovie")));
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), text("FileStrings", "FilterMoviesFlash"), {0, kMenuBarHeight, 800, 600}).width > 0; },
                          "the dialog's first kind, movies and Flash"));
    ASSERT_TRUE(pickFile(j, "hop.swf"));
    j.keep("movie-dialog");
    ASSERT_TRUE(open(j));
    const Area canvas = canvasArea();
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(canvas, [](uint32_t p) { return isNear(p, kRed); }) > 160 * 120 / 2; },
                          "the Flash movie's red box on the page"));
    j.keep("flash-placed");
    EXPECT_EQ(blank.count(canvas, [](uint32_t p) { return isNear(p, kRed); }), 0);
}

TEST(MediaImportJourney, APictureChosenToTileFillsThePage) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    // 40 by 30 pixels: red on the left, blue on the right.
    std::vector<uint32_t> pixels(40 * 30);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i % 40 < 20 ? kRed : kBlue;
    ASSERT_TRUE(Shot(40, 30, std::move(pixels)).savePng((picturesFolder(j) / "tile.png").string()));

    ASSERT_TRUE(chooseMenu(j, text("MenuStrings", "Add"), text("MenuStrings", "AddGraphic")));
    ASSERT_TRUE(pickFile(j, "tile.png"));
    Area tiles;
    ASSERT_TRUE(j.waitFor([&] { return (tiles = findWidgetText(j.screenshot(), text("FileStrings", "PlaceTile"), {0, kMenuBarHeight, 800, 600})).width > 0; },
                          "the choice to tile the page"));
    j.click(tiles);
    ASSERT_TRUE(j.settle());
    j.keep("tiles-chosen");
    ASSERT_TRUE(open(j));
    // Every quarter of the page shows both halves of the picture, over and over.
    const Area canvas = canvasArea();
    ASSERT_TRUE(j.waitFor(
        [&] {
            const Shot shot = j.screenshot();
            for (int q = 0; q < 4; ++q) {
                const Area part{canvas.x + (q % 2) * canvas.width / 2, canvas.y + (q / 2) * canvas.height / 2, canvas.width / 2, canvas.height / 2};
                const int quarter = part.width * part.height;
                if (shot.count(part, [](uint32_t p) { return isNear(p, kRed); }) < quarter / 3 ||
                    shot.count(part, [](uint32_t p) { return isNear(p, kBlue); }) < quarter / 3)
                    return false;
            }
            return true;
        },
        "red and blue tiles all over the page"));
    j.keep("tiled");
}

TEST(MediaImportJourney, AMovieSavedInAPicturePlaysFromItWhenItsOwnFileIsGone) {
    Journey j(std::chrono::seconds(300));
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    movietest::MovieSpec spec;
    spec.width = 160, spec.height = 120, spec.frames = 20;
    ASSERT_FALSE(movietest::makeMovie(picturesFolder(j), "film", spec).empty());
    // The movie's left half, in any of its frames.
    const auto movieShows = [&] {
        const Shot shot = j.screenshot();
        for (const movietest::Colour& c : movietest::kColours)
            if (c.r != 250 && shot.count(canvasArea(), [&](uint32_t p) { return isNear(p, uint32_t(c.r) << 16 | c.g << 8 | c.b); }) > 80 * 120 / 2)
                return true;
        return false;
    };
    ASSERT_TRUE(chooseMenu(j, text("MenuStrings", "Add"), text("MenuStrings", "AddMovie")));
    ASSERT_TRUE(pickFile(j, "film.mov"));
    ASSERT_TRUE(open(j));
    ASSERT_TRUE(j.waitFor(movieShows, "the movie on the page"));
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), text("FileDialog", "Save"), {0, kMenuBarHeight, 800, 600}).width > 0; },
                          "the save dialog"));
    j.type("Film");
    j.key("Return");
    const fs::path saved = j.userFolder("Maya") / "Pictures/Film.tbx";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(saved) && fs::file_size(saved) > fs::file_size(picturesFolder(j) / "film.mov"); },
                          "the picture holding the movie"));
    // The movie plays on: the window does not settle, so the save is given a moment to end.
    ASSERT_TRUE(j.holds([&] { return fs::exists(saved); }, "the saved picture", std::chrono::seconds(1)));
    j.key("ctrl+q");
    ASSERT_TRUE(j.waitForExit());
    fs::remove(picturesFolder(j) / "film.mov");

    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_TRUE(chooseMenu(j, text("MenuStrings", "File"), text("MenuStrings", "Open")));
    ASSERT_TRUE(pickFile(j, "Film"));
    ASSERT_TRUE(open(j));
    ASSERT_TRUE(j.waitFor(movieShows, "the movie, read from the picture"));
    j.keep("movie-from-picture");
}

}  // namespace
