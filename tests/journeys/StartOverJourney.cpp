// Start Over sets off the firecracker: the child watches the painted page go over its time, not
// a page that is blank from one moment to the next.
#include <chrono>

#include "tests/journeys/Journey.h"
#include "tests/journeys/ProgramSteps.h"

namespace {

// The eraser's page of page-erase effects, by its button, and the first effect on its strip.
constexpr int32_t kEffectsPageX = 165, kEffectsPageY = kScreenTop + 500;
constexpr int32_t kFirstEffectX = 282, kFirstEffectY = kScreenTop + 534;

// Fills the blank page with the fill bucket's first fill; the filled page.
testing::AssertionResult fillPage(Journey& j, Shot* filled) {
    const Area canvas = canvasArea();
    const Shot before = j.screenshot();
    j.click(planned("easel.tool.FillBucket"));
    if (auto opened = j.waitForChange(before, planned("easel.panel"), "the fill bucket's panel"); !opened) return opened;
    if (auto settled = j.settle(); !settled) return settled;
    j.click(canvas.centerX(), canvas.centerY());
    const int whole = canvas.width * canvas.height;
    if (auto done = j.waitFor([&] { return paintedPixels(j.screenshot()) > whole / 2; }, "the filled page"); !done) return done;
    if (auto settled = j.settle(); !settled) return settled;
    *filled = j.keep("filled");
    return testing::AssertionSuccess();
}

// Watches the page go from `filled` to blank; the pictures on the way that are neither the one
// nor the other, each unlike the one before (the first kept as `firstName`.png).
int framesOnTheWay(Journey& j, const Shot& filled, const std::string& firstName) {
    const Area canvas = canvasArea();
    const int whole = canvas.width * canvas.height;
    int between = 0;
    Shot last = filled;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        const Shot now = j.screenshot();
        if (paintedPixels(now) == 0) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the page still painted after 20 s";
            break;
        }
        if (now.differences(filled, canvas) > whole / 100 && now.differences(last, canvas) > 0) {
            if (++between == 1) now.savePng((j.artifacts() / (firstName + ".png")).string());
            last = now;
        }
    }
    return between;
}

TEST(StartOverJourney, TheFirecrackerTakesThePageAwayWhileTheChildWatches) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea();
    Shot filled;
    ASSERT_TRUE(fillPage(j, &filled));

    // The button's tip shows below it while the pointer rests there, and goes with the click.
    const Area startOver = planned("easel.side.StartOver");
    const Area underStartOver{startOver.x, startOver.y + startOver.height + 1, startOver.width, 8};
    j.move(startOver.centerX(), startOver.centerY());
    ASSERT_TRUE(j.waitForChange(filled, underStartOver, "Start Over's tip"));

    // Pictures of the page on the way from filled to blank: neither the one nor the other, each
    // unlike the one before.
    j.click(startOver);
    j.move(canvas.centerX(), canvas.centerY());
    // A page wiped at once shows no picture between; how many the grabber sees depends on the
    // machine's load, so one is the proof.
    EXPECT_GE(framesOnTheWay(j, filled, "firecracker"), 1) << "the page goes over the firecracker's time";
    ASSERT_TRUE(j.settle());
    const Shot blank = j.keep("blank");
    EXPECT_EQ(paintedPixels(blank), 0);
    EXPECT_EQ(blank.differences(filled, underStartOver), 0) << "Start Over's tip stayed up after the click";
}

// The eraser's panel takes Start Over's place: its button goes, and the same firecracker is the
// first of the eraser's page-erase effects, set off by a click on the page.
TEST(StartOverJourney, WithTheEraserTheFirecrackerIsTheFirstOfItsPageErasers) {
    Journey j;
    ASSERT_TRUE(j.start());
    ASSERT_TRUE(logIn(j, "Maya"));
    const Area canvas = canvasArea(), startOver = planned("easel.side.StartOver");
    Shot filled;
    ASSERT_TRUE(fillPage(j, &filled));

    j.click(planned("easel.tool.Eraser"));
    ASSERT_TRUE(j.waitForChange(filled, startOver, "Start Over giving way to the eraser's panel"));
    ASSERT_TRUE(j.settle());
    const Shot plain = j.keep("eraser-panel");
    j.click(kEffectsPageX, kEffectsPageY);
    ASSERT_TRUE(j.waitForChange(plain, planned("easel.panel"), "the eraser's page of page-erase effects"));
    ASSERT_TRUE(j.settle());
    const Shot effects = j.keep("page-erasers");
    EXPECT_GT(effects.differences(plain, {kFirstEffectX - 30, kFirstEffectY - 30, 60, 60}), 500) << "the first effect's icon";

    j.click(canvas.centerX(), canvas.centerY());
    EXPECT_GE(framesOnTheWay(j, filled, "eraser-firecracker"), 1) << "the page goes over the firecracker's time";
    ASSERT_TRUE(j.settle());
    EXPECT_EQ(paintedPixels(j.keep("erased")), 0);

    // Any other panel brings Start Over back.
    const Shot erased = j.screenshot();
    j.click(planned("easel.tool.Draw"));
    ASSERT_TRUE(j.waitForChange(erased, startOver, "Start Over, back with the pencils"));
    ASSERT_TRUE(j.settle());
    EXPECT_EQ(j.keep("start-over-back").differences(filled, startOver), 0);
}

}  // namespace
