// One word of a sentence made bold, red and bigger is the only one so on the page and in its movie,
// which Add a Movie finds in the child's own folder for the next page.
#include "tests/journeys/Journey.h"
#include "tests/journeys/LanguageTexts.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

// The text panel's Bold button, its size and the arrow to the next larger size.
const Area kBold{244, kScreenTop + 520, 36, 36}, kSize{330, kScreenTop + 476, 56, 26}, kLarger{390, kScreenTop + 474, 24, 30};

int channel(uint32_t p, int shift) { return int(p >> shift & 0xFF); }
bool red(uint32_t p) { return channel(p, 16) > 150 && channel(p, 8) < 100 && channel(p, 0) < 100; }
// Red as a movie's coding blurs it into the paper around thin strokes.
bool reddish(uint32_t p) { return channel(p, 16) > channel(p, 8) + 30 && channel(p, 16) > channel(p, 0) + 30; }
bool dark(uint32_t p) { return channel(p, 16) < 90 && channel(p, 8) < 90 && channel(p, 0) < 90; }

// The smallest area holding the points of `area` that pass `test`; empty when none do.
template <typename Test>
Area boxWhere(const Area& area, Test test) {
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int32_t y = area.y; y < area.y + area.height; ++y)
        for (int32_t x = area.x; x < area.x + area.width; ++x)
            if (test(x, y)) left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    return right < 0 ? Area{} : Area{left, top, right - left + 1, bottom - top + 1};
}

testing::AssertionResult press(Journey& j, const Area& button, const Area& changes, const std::string& what) {
    const Shot before = j.screenshot();
    j.click(button);
    j.move(50, 420);
    if (auto changed = j.waitForChange(before, changes, what); !changed) return changed;
    return j.settle();
}

TEST(StyledTextJourney, OneWordStaysStyledAlone) {
    Journey j(std::chrono::seconds(420));
    const auto menu = [](const char* key) { return languageText("English", "MenuStrings", key); };
    ASSERT_TRUE(j.start() && logIn(j, "Maya"));
    const Area canvas = canvasArea();
    ASSERT_TRUE(openPanel(j, "Text"));
    const Shot panelShown = j.screenshot();
    j.click(canvas.x + 60, canvas.y + 60);
    j.type("the ");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().count(canvas, dark) > 20; }, "the first word"));
    ASSERT_TRUE(j.settle());
    const Shot before = j.screenshot();
    j.type("frog");
    ASSERT_TRUE(j.waitForChange(before, canvas, "frog typed") && j.settle());
    const Shot typed = j.screenshot();
    const Area frog = boxWhere(canvas, [&](int32_t x, int32_t y) { return dark(typed.pixel(x, y)) && !dark(before.pixel(x, y)); });
    j.type(" jumps");
    ASSERT_TRUE(j.settle());

    // The Controls menu opened over the chosen text stays whole: no text, caret or frame drawn over it.
    Area title, popup;
    ASSERT_TRUE(j.waitFor([&] { return (title = findWidgetText(j.screenshot(), menu("Controls"), menuBarArea())).width > 0; }, "Controls"));
    j.click(title);
    const Area below{title.x - 20, kMenuBarHeight, 300, 300};
    ASSERT_TRUE(j.waitFor([&] { return (popup = boxWhere(below, [shot = j.screenshot()](int32_t x, int32_t y) { return shot.pixel(x, y) == kWidgetFace; })).width > 100; },
                          "the Controls menu"));
    EXPECT_TRUE(j.holds([&] { return j.screenshot().countColour(popup, kPaper) == 0; }, "the menu over the text", std::chrono::seconds(2)));
    j.key("Escape");
    ASSERT_TRUE(j.settle());

    // A double click picks the word: Bold, a red and two larger sizes.
    j.click(frog.centerX(), frog.centerY());
    j.click(frog.centerX(), frog.centerY());
    ASSERT_TRUE(press(j, kBold, canvas, "frog bold"));
    ASSERT_NE(pickColour(j, red), 0u);
    ASSERT_TRUE(press(j, kLarger, canvas, "frog larger") && press(j, kLarger, canvas, "frog larger still"));
    EXPECT_EQ(j.screenshot().differences(panelShown, kLarger), 0) << "the arrow up again after its clicks";
    // The controls show the style at the caret.
    ASSERT_TRUE(press(j, {frog.x - 13, frog.centerY() - 1, 2, 2}, kBold, "Bold shown off in the"));
    const Shot inThe = j.screenshot();
    ASSERT_TRUE(press(j, frog, kBold, "Bold shown on in frog"));
    EXPECT_GT(j.keep("caret-in-frog").differences(inThe, kSize), 0) << "the size shown for frog only";
    // The bare page puts the text down; the paint panel leaves the page to look at.
    j.click(canvas.x + 500, canvas.y + 380);
    ASSERT_TRUE(press(j, planned("easel.tool.Paint"), planned("easel.panel"), "the paint panel"));
    const Shot styled = j.keep("styled");
    const Area redBox = boxWhere(canvas, [&](int32_t x, int32_t y) { return red(styled.pixel(x, y)); }), the{canvas.x, frog.y - 4, frog.x - canvas.x - 2, frog.height + 8};
    EXPECT_NEAR(redBox.x, frog.x, 3) << "frog red where it was written";
    EXPECT_GT(redBox.height, frog.height) << "frog larger";
    EXPECT_EQ(styled.count(the, red), 0) << "the stays black";
    EXPECT_GT(styled.count(canvas, dark) - styled.count(the, dark), 20) << "jumps stays black";

    // A stroke the snail takes back leaves the page as it was, its texts on it.
    j.drag(canvas.x + 100, canvas.y + 300, canvas.x + 400, canvas.y + 330);
    ASSERT_TRUE(j.waitForChange(styled, canvas, "a stroke") && j.settle());
    ASSERT_TRUE(press(j, planned("easel.side.Undo"), canvas, "the stroke taken back"));
    EXPECT_EQ(j.keep("stroke-undone").differences(styled, canvas), 0) << "the texts shown after the undo";
    // Painted again, the page's painting goes with Start Over, and its texts stay.
    j.drag(canvas.x + 100, canvas.y + 300, canvas.x + 400, canvas.y + 330);
    ASSERT_TRUE(j.waitForChange(styled, canvas, "another stroke") && j.settle());
    j.click(planned("easel.side.StartOver"));
    j.move(50, 420);
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(styled, canvas) == 0; }, "the texts alone after Start Over") && j.settle());

    // The page's movie, as standard players decode its first picture, shows the red word too.
    ASSERT_TRUE(chooseMenu(j, menu("File"), menu("Export")) && clickText(j, "Movies") && j.settle());
    j.type("frog");
    ASSERT_TRUE(clickText(j, "Save"));
    const std::filesystem::path movie = j.userFolder("Maya") / "frog.mov";
    ASSERT_TRUE(j.waitFor([&] { return std::filesystem::exists(movie) && std::filesystem::file_size(movie) > 1000; }, movie.string(),
                          std::chrono::seconds(90)) && j.settle());
    for (const int stream : {0, 1}) {  // the page played, and its poster: the canvas as the screen showed it
        const Shot frame = movieFrame(movie, canvas, 0, stream);
        EXPECT_GT(frame.count(frame.whole(), reddish), styled.count(canvas, red) / 2) << "the red word in the movie's video " << stream;
    }
    // On a new page, Add a Movie's button to the child's own folder leads to the movie.
    ASSERT_TRUE(clickText(j, "OK") && chooseMenu(j, menu("File"), menu("New")) && j.settle());
    j.click(kQuestionNo);
    ASSERT_TRUE(j.waitFor([&] { return paintedPixels(j.screenshot()) == 0; }, "a new page") && chooseMenu(j, menu("Add"), menu("AddMovie")));
    ASSERT_TRUE(clickText(j, "My folder") && clickText(j, "frog.mov", 0xFFFFFF) && clickText(j, "Open"));
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().count(canvas, reddish) > styled.count(canvas, red) / 2; }, "the movie on the page"));
    // In Spanish a picture's export says where the file went, as a movie's does.
    const auto es = [](const char* key) { return languageText("Spanish", "MenuStrings", key); };
    ASSERT_TRUE(chooseMenu(j, menu("Controls"), menu("SwitchLanguage1")) && chooseMenu(j, es("File"), es("Export")) && j.settle());
    j.type("foto");
    j.key("Return");
    const std::string told = languageText("Spanish", "FileStrings", "ExportedPictureToFile");
    EXPECT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), told.substr(0, told.find(" \"")), kScreen).width > 0; }, told));
}

}  // namespace
