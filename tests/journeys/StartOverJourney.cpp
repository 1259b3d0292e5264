// Start Over sets off the firecracker: the child watches the painted page go over its time, not
// a page that is blank from one moment to the next.
#include <chrono>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

TEST(StartOverJourney, TheFirecrackerTakesThePageAwayWhileTheChildWatches) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    const int whole = canvas.width * canvas.height;

    // The fill bucket's first fill covers the blank page.
    const Shot before = j.screenshot();
    j.click(planned("easel.tool.FillBucket"));
    ASSERT_TRUE(j.waitForChange(before, planned("easel.panel"), "the fill bucket's panel"));
    ASSERT_TRUE(j.settle());
    j.click(canvas.centerX(), canvas.centerY());
    ASSERT_TRUE(j.waitFor([&] { return paintedPixels(j.screenshot()) > whole / 2; }, "the filled page"));
    ASSERT_TRUE(j.settle());
    const Shot filled = j.keep("filled");

    // The button's tip shows below it while the pointer rests there, and goes with the click.
    const Area startOver = planned("easel.side.StartOver");
    const Area underStartOver{startOver.x, startOver.y + startOver.height + 1, startOver.width, 8};
    j.move(startOver.centerX(), startOver.centerY());
    ASSERT_TRUE(j.waitForChange(filled, underStartOver, "Start Over's tip"));

    // Pictures of the page on the way from filled to blank: neither the one nor the other, each
    // unlike the one before.
    j.click(startOver);
    j.move(canvas.centerX(), canvas.centerY());
    int between = 0;
    Shot last = filled;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        const Shot now = j.screenshot();
        const int painted = paintedPixels(now);
        if (painted == 0) break;
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the page still painted after 20 s";
        if (now.differences(filled, canvas) > whole / 100 && now.differences(last, canvas) > 0) {
            if (++between == 1) now.savePng((j.artifacts() / "firecracker.png").string());
            last = now;
        }
    }
    EXPECT_GE(between, 3) << "the firecracker's frames follow one another on the screen";
    ASSERT_TRUE(j.settle());
    const Shot blank = j.keep("blank");
    EXPECT_EQ(paintedPixels(blank), 0);
    EXPECT_EQ(blank.differences(filled, underStartOver), 0) << "Start Over's tip stayed up after the click";
}

}  // namespace
