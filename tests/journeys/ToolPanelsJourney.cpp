// Every button of the easel's tool bar opens its panel, and what the panel offers first paints
// on the page or places something there; a strip's forward arrow, inside its panel, turns its page.
#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

// What a child does with the tool a panel offers first, in the canvas's coordinates.
enum class Gesture {
    Stroke,              // from (x, y) to (toX, toY)
    Loop,                // round the box from (x, y) to (toX, toY), back to its start
    Press,               // at (x, y)
    DragFirstThumbnail,  // from the panel's first library thumbnail to (x, y)
};

struct PanelUse {
    const char* button;  // the tool bar button, by its place in the screen plan
    Gesture gesture;
    int32_t x, y, toX, toY;
    const char* shows;  // where its work shows: the page, or "easel.side.Play" for a sound
    int32_t forwardX;   // the middle of its strip's forward arrow, inside the panel; 0 without a strip
    bool pages;         // whether its strip holds more than one page
};

// The strips' forward arrows stand at one height, the mixer's before its sizes and the others'
// after their cells.
constexpr int32_t kForwardY = kScreenTop + 534, kStripForwardX = 673, kMixerForwardX = 567;
// Between the panel's frame and its mascot, where a strip arrow half outside the frame showed.
constexpr Area kBesideFrame{707, kScreenTop + 518, 10, 32};

// In an order where each use leaves the page fit for the next: the pencil's panel, open at the
// login, is opened again after another; the eraser rubs the pencil's line; a sound, which shows
// only as the Play button coming on, goes before the sticker, which turns it on too; the fill covers the
// white it is pressed on and the mixer's first mix turns the whole page over; the animation,
// which keeps moving, comes last.
constexpr PanelUse kUses[] = {
    {"Paint", Gesture::Stroke, 40, 100, 260, 100, nullptr, 0, false},
    {"Draw", Gesture::Stroke, 40, 40, 260, 40, nullptr, 0, false},
    {"Eraser", Gesture::Stroke, 60, 40, 200, 40, nullptr, 0, false},
    {"RubberStamps", Gesture::Press, 340, 60, 0, 0, nullptr, kStripForwardX, true},
    {"Text", Gesture::Press, 340, 160, 0, 0, nullptr, 0, false},
    {"Grab", Gesture::Loop, 40, 200, 200, 300, nullptr, kStripForwardX, true},
    {"Sounds", Gesture::DragFirstThumbnail, 480, 250, 0, 0, "easel.side.Play", kStripForwardX, true},
    {"Stickers", Gesture::DragFirstThumbnail, 480, 100, 0, 0, nullptr, kStripForwardX, true},
    {"FillBucket", Gesture::Press, 560, 400, 0, 0, nullptr, 0, false},
    {"Mixer", Gesture::Press, 300, 300, 0, 0, nullptr, kMixerForwardX, true},
    {"Backgrounds", Gesture::DragFirstThumbnail, 300, 220, 0, 0, nullptr, kStripForwardX, false},
    {"Animations", Gesture::DragFirstThumbnail, 480, 350, 0, 0, nullptr, kStripForwardX, true},
};

// Fewer changed pixels than a short stroke: a cursor's trace, not a tool's work.
constexpr int kWorkPixels = 100;

void act(Journey& j, const PanelUse& use) {
    const Area canvas = canvasArea();
    const int32_t x = canvas.x + use.x, y = canvas.y + use.y, toX = canvas.x + use.toX, toY = canvas.y + use.toY;
    switch (use.gesture) {
    case Gesture::Stroke:
        j.drag(x, y, toX, toY);
        break;
    case Gesture::Loop:
        j.drag({{x, y}, {toX, y}, {toX, toY}, {x, toY}, {x, y}});
        break;
    case Gesture::Press:
        j.click(x, y);
        break;
    case Gesture::DragFirstThumbnail:
        j.drag(kFirstThumbnailX, kFirstThumbnailY, x, y);
        break;
    }
}

TEST(ToolPanelsJourney, EveryToolBarPanelOpensAndItsFirstToolPaintsOrPlaces) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area panel = planned("easel.panel");
    const Shot pencils = j.screenshot();
    for (const PanelUse& use : kUses) {
        SCOPED_TRACE(use.button);
        const Shot before = j.screenshot();
        j.click(planned(std::string("easel.tool.") + use.button));
        ASSERT_TRUE(j.waitForChange(before, panel, std::string("the ") + use.button + " panel"));
        ASSERT_TRUE(j.settle());
        const Shot opened = j.keep(std::string(use.button) + "-panel");
        if (use.forwardX != 0) {
            EXPECT_EQ(opened.differences(pencils, kBesideFrame), 0) << "the strip shows outside the panel's frame";
        }
        const Area shows = use.shows ? planned(use.shows) : canvasArea();
        act(j, use);
        const auto worked = [&] { return j.screenshot().differences(opened, shows) > kWorkPixels; };
        const std::string work = std::string("the work of the ") + use.button + " panel's first tool";
        ASSERT_TRUE(j.waitFor(worked, work));
        ASSERT_TRUE(j.holds(worked, work));
        const Shot used = j.keep(std::string(use.button) + "-used");
        if (!use.pages) continue;
        // The strip's forward arrow, where it shows inside the panel, turns the strip's page.
        j.click(use.forwardX, kForwardY);
        EXPECT_TRUE(j.waitForChange(used, planned("easel.counter"), "the strip's next page"));
    }
}

}  // namespace
