// A child writes a sentence on the page, picks one word out of it and makes that word bold, red
// and bigger; the page is saved, and on another day the word is still the only one so, also in
// the movie made of the page.
#include <cstdio>
#include <filesystem>

#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace fs = std::filesystem;

namespace {

// The text panel's Bold button and its arrow to the next larger size.
const Area kBold{244, kScreenTop + 520, 36, 36};
const Area kLarger{390, kScreenTop + 474, 24, 30};
const Area kSize{330, kScreenTop + 476, 56, 26};
constexpr int32_t kRestX = 50, kRestY = 420;
constexpr uint32_t kListPaper = 0xFFFFFF;

std::string menuText(const std::string& key) { return languageText("English", "MenuStrings", key); }

bool red(uint32_t p) {
    const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
    return r > 150 && g < 100 && b < 100;
}
// Red ink as a movie's coding blurs it into the paper around thin strokes.
bool reddish(uint32_t p) {
    const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
    return r > g + 30 && r > b + 30;
}
bool dark(uint32_t p) { return (p >> 16 & 0xFF) < 90 && (p >> 8 & 0xFF) < 90 && (p & 0xFF) < 90; }

// The smallest area holding the pixels of `area` that pass `test`; empty when none do.
Area boxOf(const Shot& shot, const Area& area, bool (*test)(uint32_t)) {
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int32_t y = area.y; y < area.y + area.height; ++y)
        for (int32_t x = area.x; x < area.x + area.width; ++x)
            if (test(shot.pixel(x, y))) left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    return right < 0 ? Area{} : Area{left, top, right - left + 1, bottom - top + 1};
}

// The first picture of a movie, as standard players decode it; empty without ffmpeg.
Shot firstFrame(const fs::path& movie) {
    const std::string command = "ffmpeg -v error -i '" + movie.string() + "' -frames:v 1 -f image2pipe -vcodec ppm - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    int width = 0, height = 0, most = 0;
    Shot frame;
    if (std::fscanf(pipe, "P6 %d %d %d", &width, &height, &most) == 3 && width > 0 && height > 0 && most == 255) {
        std::fgetc(pipe);
        std::vector<uint32_t> pixels(size_t(width) * size_t(height));
        unsigned char rgb[3];
        size_t i = 0;
        while (i < pixels.size() && std::fread(rgb, 1, 3, pipe) == 3) pixels[i++] = uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
        if (i == pixels.size()) frame = Shot(width, height, std::move(pixels));
    }
    pclose(pipe);
    return frame;
}

testing::AssertionResult press(Journey& j, const Area& button, const Area& changes, const std::string& what) {
    const Shot before = j.screenshot();
    j.click(button);
    j.move(kRestX, kRestY);
    if (auto changed = j.waitForChange(before, changes, what); !changed) return changed;
    return j.settle();
}

TEST(StyledTextJourney, OneWordStaysStyledAlone) {
    Journey j(std::chrono::seconds(420));
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    ASSERT_TRUE(press(j, planned("easel.tool.Text"), planned("easel.panel"), "the text panel"));
    j.click(canvas.x + 60, canvas.y + 60);
    ASSERT_TRUE(j.settle());

    // Where "frog" is written: the ink typing it added (with the caret after it).
    j.type("the ");
    ASSERT_TRUE(j.waitFor([&] { return boxOf(j.screenshot(), canvas, dark).width > 20; }, "the first word"));
    ASSERT_TRUE(j.settle());
    const Shot before = j.screenshot();
    j.type("frog");
    ASSERT_TRUE(j.waitForChange(before, canvas, "frog typed"));
    ASSERT_TRUE(j.settle());
    const Shot typed = j.screenshot();
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int32_t y = canvas.y; y < canvas.y + canvas.height; ++y)
        for (int32_t x = canvas.x; x < canvas.x + canvas.width; ++x)
            if (dark(typed.pixel(x, y)) && !dark(before.pixel(x, y)))
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    ASSERT_GT(right, left + 10) << "frog's ink";
    const Area frog{left, top, right - left + 1, bottom - top + 1};
    j.type(" jumps");
    ASSERT_TRUE(j.settle());

    // A double click picks the word; Bold, a red and two larger sizes are given to it.
    j.click(frog.centerX(), frog.centerY());
    j.click(frog.centerX(), frog.centerY());
    ASSERT_TRUE(j.settle());
    j.keep("frog-chosen");
    ASSERT_TRUE(press(j, kBold, canvas, "frog bold"));
    ASSERT_NE(pickColour(j, red), 0u);
    ASSERT_TRUE(press(j, kLarger, canvas, "frog larger"));
    ASSERT_TRUE(press(j, kLarger, canvas, "frog larger still"));
    // The controls show the style where the caret stands: Bold and the size differ between
    // frog and the word before it.
    j.click(frog.x - 12, frog.centerY());
    ASSERT_TRUE(j.settle());
    const Shot inThe = j.keep("caret-in-the");
    j.click(frog.centerX(), frog.centerY());
    ASSERT_TRUE(j.settle());
    const Shot inFrog = j.keep("caret-in-frog");
    EXPECT_GT(inFrog.differences(inThe, kBold), 0) << "Bold down in frog only";
    EXPECT_GT(inFrog.differences(inThe, kSize), 0) << "frog's size shown";
    // The frame grew with the larger word: its lower left handle stands at its foot, outside it.
    const Area bar = boxOf(inFrog, canvas, [](uint32_t p) { return (p >> 16) > 60 && (p >> 16) < 110 && (p >> 8 & 0xFF) < 30 && (p & 0xFF) > 220; });
    ASSERT_GT(bar.width, 20) << "the frame's move bar";
    int32_t foot = bar.y;
    for (int32_t y = bar.y; y < canvas.y + canvas.height; ++y)
        if (dark(inFrog.pixel(bar.x - 1, y))) foot = y;
    EXPECT_GT(inFrog.count({bar.x - 4, foot - 6, 1, 7}, dark), 0) << "a handle at the frame's foot";
    // The bare page puts the text down; the paint panel leaves the page alone to look at.
    j.click(canvas.x + 500, canvas.y + 380);
    ASSERT_TRUE(j.settle());
    ASSERT_TRUE(press(j, planned("easel.tool.Paint"), planned("easel.panel"), "the paint panel"));
    const Shot styled = j.keep("styled");

    // Only frog is red, where it was written, and it stands taller than the black words.
    const Area redBox = boxOf(styled, canvas, red);
    const Area the{canvas.x, frog.y - 4, frog.x - canvas.x - 2, frog.height + 8};
    ASSERT_GT(redBox.width, frog.width) << "frog red and wider";
    EXPECT_NEAR(redBox.x, frog.x, 3) << "frog where it was written";
    EXPECT_GT(redBox.height, frog.height) << "frog larger";
    EXPECT_GT(styled.count(the, dark), 20) << "the stays black";
    EXPECT_EQ(styled.count(the, red), 0) << "the stays black";
    EXPECT_GT(styled.count(canvas, dark) - styled.count(the, dark), 20) << "jumps stays black";

    // Saved, the program ended and started again, the picture opened: the page as it was.
    j.key("ctrl+s");
    const Area screen{0, kMenuBarHeight, 800, 600 - kMenuBarHeight};
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", screen).width > 0; }, "the save dialog"));
    j.type("Frog");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Maya") / "Pictures/Frog.tbx"); }, "Frog.tbx"));
    ASSERT_TRUE(j.settle());
    j.key("ctrl+q");
    ASSERT_TRUE(j.waitForExit(std::chrono::seconds(60)));
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    ASSERT_TRUE(chooseMenu(j, menuText("File"), menuText("Open")));
    Area listed;
    ASSERT_TRUE(j.waitFor([&] { return (listed = findWidgetText(j.screenshot(), "Frog", screen, kWidgetText, kListPaper)).width > 0; },
                          "Frog in the open dialog"));
    j.click(listed);
    j.key("Return");
    j.move(kRestX, kRestY);
    ASSERT_TRUE(j.waitFor([&] { return boxOf(j.screenshot(), canvas, red).width > 0; }, "the red word again"));
    ASSERT_TRUE(j.settle());
    const Shot reopened = j.keep("reopened");
    const Area text{frog.x - 80, frog.y - 30, 400, 120};
    EXPECT_EQ(reopened.differences(styled, text), 0) << "the text as it was left";

    // The page's movie shows the red word too.
    ASSERT_TRUE(chooseMenu(j, menuText("File"), menuText("Export")));
    Area movies;
    ASSERT_TRUE(j.waitFor([&] { return (movies = findWidgetText(j.screenshot(), "Movies", screen)).width > 0; }, "the export's movie kind"));
    j.type("frog");
    j.click(movies);
    ASSERT_TRUE(j.settle());
    const Area save = findWidgetText(j.screenshot(), "Save", screen);
    ASSERT_GT(save.width, 0) << "the dialog's Save button";
    j.click(save);
    const fs::path movie = j.userFolder("Maya") / "frog.mov";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(movie) && fs::file_size(movie) > 1000; }, movie.string(), std::chrono::seconds(90)));
    ASSERT_TRUE(j.settle());
    const Shot frame = firstFrame(movie);
    ASSERT_FALSE(frame.empty()) << "a picture decoded from " << movie;
    frame.savePng((j.artifacts() / "movie-frame.png").string());
    EXPECT_GT(frame.count(frame.whole(), reddish), styled.count(canvas, red) / 2) << "the red word in the movie";
    EXPECT_GT(frame.count(frame.whole(), dark), styled.count(canvas, dark) / 2) << "the black words in the movie";
}

}  // namespace
