// A child logs in, picks a colour, paints a line in it, saves (and is offered the name again),
// quits, comes back and finds the picture. A page nobody painted on is left without a question,
// whatever was looked at on the way.
#include <filesystem>
#include <string>
#include <utility>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"

namespace {

namespace fs = std::filesystem;

bool reddish(uint32_t p) { return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 80 && (p & 0xFF) < 80; }

// Paints a line across the canvas and waits until the whole line is on the screen.
testing::AssertionResult paintLine(Journey& j, uint32_t colour) {
    const Area canvas = canvasArea();
    const Area start{canvas.x + 96, canvas.y + 96, 9, 9}, end{canvas.x + 396, canvas.y + 296, 9, 9};
    j.drag(start.centerX(), start.centerY(), end.centerX(), end.centerY());
    return j.waitFor(
        [&] {
            const Shot shot = j.screenshot();
            return shot.countColour(start, colour, 8) > 0 && shot.countColour(end, colour, 8) > 0;
        },
        "the line from one end to the other");
}

TEST(PaintingJourney, ALineInTheChosenColourIsSavedAndThereAfterQuittingAndComingBack) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    EXPECT_TRUE(fs::is_directory(j.userFolder("Maya"))) << "the login made the child's folder";
    const uint32_t red = pickColour(j, reddish);
    ASSERT_NE(red, 0u);
    ASSERT_TRUE(paintLine(j, red));
    ASSERT_TRUE(j.settle());
    const Shot painted = j.keep("red-line");
    EXPECT_GT(painted.countColour(canvasArea(), red, 8), 300) << "a line of some thickness";
    EXPECT_EQ(paintedPixels(painted), painted.countColour(canvasArea(), red, 8)) << "the page holds the line alone";

    // A name no file can have is refused with the character that cannot be.
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kScreen).width > 0; }, "the save dialog"));
    j.type("My Zoo: cats and dogs?");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "' : ' cannot be used in a name.", kScreen).width > 0; }, "the refusal"));
    j.keep("refused");
    ASSERT_TRUE(clickText(j, "OK"));
    // So is a path into a folder that is not there, by its "/".
    j.key("Escape");
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", kScreen).width > 0; }, "the save dialog"));
    j.type("lions/tigers");
    j.key("Return");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "' / ' cannot be used in a name.", kScreen).width > 0; }, "the refusal of /"));
    ASSERT_TRUE(clickText(j, "OK"));
    j.key("Escape");
    j.key("ctrl+s");
    Area name;
    ASSERT_TRUE(j.waitFor([&] { return (name = findWidgetText(j.screenshot(), "Save", {0, 0, 800, 620})).width > 0; },
                          "the save dialog"));
    j.type("Sun");
    j.key("Return");
    const fs::path saved = j.userFolder("Maya") / "Pictures/Sun.tbx";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(saved); }, "the picture file " + saved.string()));
    // Saved again, the dialog offers the picture's name, chosen in its field: Return keeps it.
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Sun", {0, 0, 800, 620}, 0xFFFFFF, 0x0A246A).width > 0; },
                          "Sun offered in the name field"));
    j.keep("saved-again");
    j.key("Escape");

    j.key("ctrl+q");
    ASSERT_TRUE(j.waitForExit()) << "a saved picture leaves nothing to ask at Quit";
    EXPECT_TRUE(fs::file_size(saved) > 0);

    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    EXPECT_FALSE(fs::exists(j.userFolder("MayaMaya"))) << "her name typed over the one offered, not after it";
    EXPECT_EQ(paintedPixels(j.screenshot()), 0) << "a new day starts on a blank page";
    ASSERT_TRUE(chooseMenu(j, "File", "Open..."));
    Area file;
    ASSERT_TRUE(j.waitFor(
        [&] { return (file = findWidgetText(j.screenshot(), "Sun", {0, 0, 800, 620}, kWidgetText, 0xFFFFFF)).width > 0; },
        "the picture Sun in the open dialog's list"));
    j.click(file);
    // Chosen, its name stands in the name field below the list.
    const Area belowList{0, file.y + file.height + 1, 800, 620 - (file.y + file.height + 1)};
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Sun", belowList, kWidgetText, 0xFFFFFF).width > 0; },
                          "Sun in the open dialog's name field"));
    const Area open = findWidgetText(j.screenshot(), "Open", {0, kMenuBarHeight, 800, 600});
    ASSERT_GT(open.width, 0) << "the dialog's Open button";
    j.click(open);
    // The dialog over the page is no picture: the canvas is waited for as it was painted.
    EXPECT_TRUE(j.waitFor([&] { return j.screenshot().differences(painted, canvasArea()) == 0; },
                          "the canvas showing the picture as it was painted"));
    j.keep("reopened");
    // Saved after opening, the dialog offers the picture's own name, no folder's separator before it.
    j.key("ctrl+s");
    ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), "Sun", kScreen, 0xFFFFFF, 0x0A246A).width > 0; }, "Sun offered"));
    for (const char* separated : {"\\Sun", "/Sun"}) EXPECT_EQ(findWidgetText(j.keep("offered"), separated, kScreen, 0xFFFFFF, 0x0A246A).width, 0);
    j.key("Escape");
}

// Print and Export put away unused: neither changes the page.
TEST(PaintingJourney, APageNobodyTouchedLeavesNothingToAskAfterAPrintOrAnExport) {
    // What each shows before it is put away.
    const std::pair<const char*, const char*> visits[] = {{"Print...", "OK"}, {"Export...", "Save"}};
    Journey j;
    for (const auto& [item, shown] : visits) {
        SCOPED_TRACE(item);
        ASSERT_TRUE(j.start());
        ASSERT_TRUE(logIn(j, "Maya"));
        ASSERT_TRUE(chooseMenu(j, "File", item));
        ASSERT_TRUE(j.waitFor([&] { return findWidgetText(j.screenshot(), shown, kScreen).width > 0; }, shown));
        j.key("Escape");
        ASSERT_TRUE(j.settle());
        j.key("ctrl+q");
        ASSERT_TRUE(j.waitForExit()) << "Quit closes without asking to save";
    }
}

}  // namespace
