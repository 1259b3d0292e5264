// A child saves her painting: the box that asks for the name leaves the page as it was when
// it closes, and the saving itself shows the busy cursor, then the cursor she had.
#include <algorithm>
#include <filesystem>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"
#include "tests/journeys/WidgetText.h"
#include "tests/xserver/XCursorWatch.h"

namespace {

namespace fs = std::filesystem;

testing::AssertionResult waitForSaveBox(Journey& j) {
    return j.waitFor([&] { return findWidgetText(j.screenshot(), "Save", {0, 0, 800, 620}).width > 0; },
                     "the save dialog");
}

TEST(BusyAndRepaintJourney, TheClosedBoxLeavesThePageAsItWasAndSavingShowsTheBusyCursor) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    j.drag(canvas.x + 60, canvas.y + 60, canvas.x + 500, canvas.y + 380);
    const Area end{canvas.x + 496, canvas.y + 376, 9, 9};
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().countColour(end, 0x000000, 8) > 0; }, "the whole line"));
    ASSERT_TRUE(j.settle());
    const Shot painted = j.keep("painted");

    // Opened and closed again: what the box covered is drawn again from the page, and only that.
    j.key("ctrl+s");
    ASSERT_TRUE(waitForSaveBox(j));
    j.keep("save-box");
    j.key("Escape");
    ASSERT_TRUE(j.waitFor([&] { return j.screenshot().differences(painted, {0, 0, 800, 620}) == 0; },
                          "the window as it was before the box"));

    // The pointer rests on the menu band, where nothing changes the cursor but the work.
    j.move(790, 5);
    XCursorWatch cursor(j.display());
    ASSERT_TRUE(cursor.connected());
    ASSERT_TRUE(j.settle());
    const unsigned long before = cursor.shown();
    cursor.changes();
    j.key("ctrl+s");
    ASSERT_TRUE(waitForSaveBox(j));
    j.type("Sun");
    j.key("Return");
    const fs::path saved = j.userFolder("Maya") / "Pictures/Sun.tbx";
    ASSERT_TRUE(j.waitFor([&] { return fs::exists(saved); }, "the picture file " + saved.string()));
    ASSERT_TRUE(j.settle());
    // The cursor comes back when the save's work is over, which a loaded machine may show later.
    EXPECT_TRUE(j.waitFor([&] { return cursor.shown() == before; }, "the cursor from before the save back"));
    const std::vector<unsigned long> shown = cursor.changes();
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](unsigned long c) { return c != before; }))
        << "another cursor was shown while saving";
    j.keep("saved");
}

}  // namespace
