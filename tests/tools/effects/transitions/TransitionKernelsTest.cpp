// Each transition at progress 0 is its source and at full its target, exactly, whatever the
// picture's size; those that uncover the target in place only ever move each pixel toward
// the target; the runner steps them through their 30 steps.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/tools/ToolTestSupport.h"
#include "tools/effects/transitions/QTEffectRunner.h"
#include "tools/effects/transitions/TransitionKernels.h"

namespace {

using tooltest::Picture;

struct Kernel {
    TransitionKind kind;
    bool monotonic;
};

const Kernel kKernels[] = {
    {TransitionKind::None, true},      {TransitionKind::Fade, true},      {TransitionKind::WipeLeft, true},
    {TransitionKind::WipeRight, true}, {TransitionKind::WipeUp, true},    {TransitionKind::WipeDown, true},
    {TransitionKind::Iris, true},      {TransitionKind::Dissolve, true},  {TransitionKind::Slide, false},
    {TransitionKind::Zoom, false},     {TransitionKind::Blinds, true},    {TransitionKind::Checkers, true},
    {TransitionKind::PushLeft, false}, {TransitionKind::PushUp, false},
};

// Two pictures that differ in every channel of every pixel, each with a pattern so that moved
// pixels show.
void paintPair(Picture& from, Picture& to) {
    for (i32 y = 0; y < from.view.height; ++y)
        for (i32 x = 0; x < from.view.width; ++x) {
            from.view.Row(y)[x] = rgb555FromChannels(u32(x % 8), u32(y % 8), u32((x + y) % 8));
            to.view.Row(y)[x] = rgb555FromChannels(u32(20 + x % 11), u32(20 + y % 11), u32(31 - (x * y) % 5));
        }
}

// The largest channel distance of each pixel to the target's.
std::vector<u32> distances(const PixelView& out, const PixelView& to) {
    std::vector<u32> d;
    for (i32 y = 0; y < out.height; ++y)
        for (i32 x = 0; x < out.width; ++x) {
            const u16 a = out.At(x, y), b = to.At(x, y);
            d.push_back(u32(std::max({std::abs(rgb555Red(a) - rgb555Red(b)), std::abs(rgb555Green(a) - rgb555Green(b)),
                                      std::abs(rgb555Blue(a) - rgb555Blue(b))})));
        }
    return d;
}

TEST(TransitionKernels, EndsAreExactAndTheInPlaceOnesOnlyApproachTheTarget) {
    const struct {
        i16 w, h;
        Point16 centre;
    } sizes[] = {{1, 1, {0, 0}}, {37, 23, {5, 20}}, {131, 71, {200, -9}}};
    for (const Kernel& k : kKernels) {
        for (const auto& s : sizes) {
            SCOPED_TRACE(testing::Message() << "kind " << int(k.kind) << " size " << s.w << "x" << s.h);
            Picture from(s.w, s.h), to(s.w, s.h), out(s.w, s.h);
            paintPair(from, to);
            ASSERT_TRUE(transitionStep(k.kind, 0, from.view, to.view, out.view, s.centre));
            EXPECT_EQ(out.pixels, from.pixels);
            ASSERT_TRUE(transitionStep(k.kind, kTransitionFull, from.view, to.view, out.view, s.centre));
            EXPECT_EQ(out.pixels, to.pixels);
            ASSERT_TRUE(transitionStep(k.kind, kTransitionFull + 1, from.view, to.view, out.view, s.centre));
            EXPECT_EQ(out.pixels, to.pixels);
            if (s.w == 1) continue;
            std::vector<u32> last = distances(from.view, to.view);
            bool approached = true, betweenEnds = false;
            for (u32 step = 1; step < 40; ++step) {
                transitionStep(k.kind, kTransitionFull * step / 40, from.view, to.view, out.view, s.centre);
                betweenEnds |= out.pixels != from.pixels && out.pixels != to.pixels;
                const std::vector<u32> now = distances(out.view, to.view);
                for (size_t i = 0; i < now.size(); ++i) approached &= now[i] <= last[i];
                last = now;
            }
            EXPECT_EQ(approached, k.monotonic);
            EXPECT_EQ(betweenEnds, k.kind != TransitionKind::None);
        }
    }
}

TEST(TransitionKernels, PicturesOfDifferentSizesDrawNothing) {
    Picture from(10, 10), to(10, 11), out(10, 10, 0x1234);
    EXPECT_FALSE(transitionStep(TransitionKind::Fade, 0, from.view, to.view, out.view, {5, 5}));
    EXPECT_FALSE(transitionStep(TransitionKind::Fade, 0, to.view, from.view, out.view, {5, 5}));
    EXPECT_FALSE(transitionStep(TransitionKind::Fade, 0, from.view, from.view, to.view, {5, 5}));
    EXPECT_FALSE(transitionStep(TransitionKind::Fade, 0, from.view, from.view, PixelView{}, {5, 5}));
    for (u16 p : out.pixels) EXPECT_EQ(p, 0x1234);
}

TEST(TransitionKernels, TheDialogsIndicesNameTheKindsInOrder) {
    EXPECT_EQ(transitionKindOfIndex(-1), TransitionKind::None);
    EXPECT_EQ(transitionKindOfIndex(0), TransitionKind::None);
    EXPECT_EQ(transitionKindOfIndex(1), TransitionKind::Fade);
    EXPECT_EQ(transitionKindOfIndex(11), TransitionKind::Checkers);
    EXPECT_EQ(transitionKindOfIndex(13), TransitionKind::PushUp);
    EXPECT_EQ(transitionKindOfIndex(14), TransitionKind::None);
}

TEST(QTEffectRunner, StartsEmptyRunsItsStepsToTheTargetAndFreesItsCopies) {
    QTEffectRunner runner;
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_FALSE(runner.HoldsPictures());
    EXPECT_EQ(runner.StepCount(), 30);
    EXPECT_FALSE(runner.Step());

    Picture from(40, 30), to(40, 30), wrong(40, 31);
    paintPair(from, to);
    const std::vector<u16> source = from.pixels;
    EXPECT_FALSE(runner.Start(TransitionKind::WipeRight, from.view, wrong.view, from.view, {0, 0}));
    EXPECT_FALSE(runner.HoldsPictures());
    // Drawn into its own source: the runner works from its copy.
    ASSERT_TRUE(runner.Start(TransitionKind::WipeRight, from.view, to.view, from.view, {0, 0}));
    EXPECT_TRUE(runner.HoldsPictures());
    runner.SetStepCount(5);
    EXPECT_EQ(runner.StepCount(), 30) << "a running effect keeps its count";
    for (u16 step = 1; step <= 30; ++step) {
        ASSERT_TRUE(runner.Step());
        EXPECT_EQ(runner.StepsDone(), step);
        EXPECT_EQ(from.view.At(0, 0), to.view.At(0, 0));
        EXPECT_EQ(from.view.At(39, 29), step == 30 ? to.view.At(39, 29) : source.back());
        EXPECT_EQ(runner.IsRunning(), step < 30);
    }
    EXPECT_EQ(from.pixels, to.pixels);
    EXPECT_FALSE(runner.Step());
    runner.Dispose();
    EXPECT_FALSE(runner.HoldsPictures());
    runner.SetStepCount(0);
    EXPECT_EQ(runner.StepCount(), 1);
}

}  // namespace

namespace {

// Stepped by the clock, a run of 30 steps over 600 ms draws the step due at each moment (the
// first at once, the last at the end) and nothing between two steps, however the calls fall.
TEST(QTEffectRunner, SteppedByTheClockItTakesItsDuration) {
    const struct {
        u32 elapsed;
        u32 duration;
        u16 before;  // steps done before the call
        bool drawn;
        u16 after;
    } cases[] = {
        {0, 600, 0, true, 1},     {39, 600, 1, false, 1},   {40, 600, 1, true, 2},    {299, 600, 2, true, 14},
        {300, 600, 14, true, 15}, {599, 600, 15, true, 29}, {599, 600, 29, false, 29}, {600, 600, 29, true, 30},
        {5000, 600, 0, true, 30}, {0, 0, 0, true, 30},
    };
    for (const auto& c : cases) {
        Picture from(16, 12), to(16, 12), out(16, 12);
        paintPair(from, to);
        QTEffectRunner runner;
        ASSERT_TRUE(runner.Start(TransitionKind::Fade, from.view, to.view, out.view, {0, 0}));
        for (u16 i = 0; i < c.before; ++i) runner.Step();
        EXPECT_EQ(runner.StepFor(c.elapsed, c.duration), c.drawn) << c.elapsed << " after " << c.before;
        EXPECT_EQ(runner.StepsDone(), c.after) << c.elapsed << " after " << c.before;
        EXPECT_EQ(runner.IsRunning(), c.after < 30) << c.elapsed;
        if (c.after == 30) {
            EXPECT_EQ(out.pixels, to.pixels) << "the last step draws the target";
        }
    }
    QTEffectRunner idle;
    EXPECT_FALSE(idle.StepFor(1000, 600)) << "nothing runs";
}

}  // namespace
