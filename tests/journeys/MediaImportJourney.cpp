// A child brings her own files from the desktop's pictures folder: a Flash movie through Add a
// Movie, and a small picture chosen to tile the page.
#include <filesystem>
#include <fstream>

#include "contentgen/content/SwfMovieWriter.h"
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0xE02020, kBlue = 0x2040E0;
constexpr Area kDialog{0, kMenuBarHeight, 800, 600};

std::string text(const std::string& section, const std::string& key) { return languageText("English", section, key); }

bool isNear(uint32_t p, uint32_t c) {
    const auto near = [](uint32_t a, uint32_t b) { return (a > b ? a - b : b - a) < 0x30; };
    return near(p >> 16 & 0xFF, c >> 16 & 0xFF) && near(p >> 8 & 0xFF, c >> 8 & 0xFF) && near(p & 0xFF, c & 0xFF);
}

fs::path pictures(const Journey& j) {
    fs::create_directories(j.home() / "Pictures");
    return j.home() / "Pictures";
}

// Clicks the words where the dialog writes them (`paper` white: in the file list).
testing::AssertionResult clickText(Journey& j, const std::string& words, uint32_t paper = kWidgetFace) {
    Area at;
    auto shown = j.waitFor([&] { return (at = findWidgetText(j.screenshot(), words, kDialog, kWidgetText, paper)).width > 0; }, words);
    if (shown) j.click(at);
    return shown;
}

testing::AssertionResult addFile(Journey& j, const std::string& item, const std::string& file, const std::string& option = "") {
    if (auto chosen = chooseMenu(j, text("MenuStrings", "Add"), text("MenuStrings", item)); !chosen) return chosen;
    if (auto picked = clickText(j, file, 0xFFFFFF); !picked) return picked;
    if (!option.empty())
        if (auto clicked = clickText(j, option); !clicked) return clicked;
    j.keep(item + "-dialog");
    return clickText(j, text("FileDialog", "Open"));
}

// At least `least` pixels of the colour in each quarter of the canvas.
bool everyQuarterShows(const Shot& shot, uint32_t colour, int least) {
    const Area c = canvasArea();
    for (int q = 0; q < 4; ++q)
        if (shot.count({c.x + q % 2 * c.width / 2, c.y + q / 2 * c.height / 2, c.width / 2, c.height / 2},
                       [&](uint32_t p) { return isNear(p, colour); }) < least)
            return false;
    return true;
}

TEST(MediaImportJourney, AddAMovieListsAFlashFileFromThePicturesFolderAndPlacesIt) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    Raster box(160, 120);
    std::fill(box.pixels.begin(), box.pixels.end(), 0xFF000000u | kRed);
    const std::vector<u8> swf = writeSwfMovie(box, {SwfPlacement{80, 60}}, 160, 120, 12);
    std::ofstream(pictures(j) / "hop.swf", std::ios::binary).write(reinterpret_cast<const char*>(swf.data()), std::streamsize(swf.size()));
    ASSERT_TRUE(addFile(j, "AddMovie", "hop.swf"));
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(canvasArea(), [](uint32_t p) { return isNear(p, kRed); }) > 160 * 120 / 2; },
                          "the Flash movie's red box on the page"));
}

TEST(MediaImportJourney, APictureChosenToTileFillsThePage) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    std::vector<uint32_t> pixels(40 * 30);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i % 40 < 20 ? kRed : kBlue;
    ASSERT_TRUE(Shot(40, 30, std::move(pixels)).savePng((pictures(j) / "tile.png").string()));
    ASSERT_TRUE(addFile(j, "AddGraphic", "tile.png", text("FileStrings", "PlaceTile")));
    const int third = canvasArea().width * canvasArea().height / 12;
    ASSERT_TRUE(j.waitFor([&] { const Shot s = j.screenshot(); return everyQuarterShows(s, kRed, third) && everyQuarterShows(s, kBlue, third); },
                          "red and blue tiles all over the page"));
}

}  // namespace
