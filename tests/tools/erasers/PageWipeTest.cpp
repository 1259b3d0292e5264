// The page-erase base and the firecracker: when a wipe starts, how many frames it runs, what
// it leaves, how its frames keep their time whatever the steps, and the 1333 its owner gets
// once it is over.
#include <gtest/gtest.h>

#include "framework/messaging/mfDispatcher.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/erasers/RDFirecracker.h"
#include "tools/erasers/RDFirecracker2.h"

namespace {

class Owner : public CListener {
public:
    u32 HandleMessage(Ostrel::RMessage* m, uintptr_t) override {
        codes.push_back(m->code);
        return 0;
    }
    std::vector<u32> codes;
};

TEST(PageWipe, StartRefusals) {
    tooltest::Picture picture(20, 10);
    RDFirecracker cracker(nullptr, 123);
    EXPECT_EQ(cracker.Start(Rect16{0, 0, 0, 10}, picture.view), kDestructoNotStarted);
    EXPECT_EQ(cracker.Start(Rect16{0, 0, 20, 10}, PixelView{}), kDestructoNotStarted);
    EXPECT_FALSE(cracker.IsBusy());
    EXPECT_EQ(cracker.Start(Rect16{0, 0, 20, 10}, picture.view), kDestructoStarted);
    EXPECT_TRUE(cracker.IsBusy());
    EXPECT_EQ(cracker.Start(Rect16{0, 0, 20, 10}, picture.view), kDestructoNotStarted);  // already running
}

TEST(PageWipe, RunsItsFramesOverItsTimeThenTellsItsOwner) {
    mfDispatcher dispatcher;
    Owner easel;
    tooltest::Picture picture(40, 30, 0x1111);
    RDFirecracker2 cracker(&easel);
    EXPECT_EQ(cracker.GetIndex(), 123);
    EXPECT_EQ(cracker.GetIconId(), 30123);
    ASSERT_EQ(cracker.Start(Rect16{100, 100, 140, 130}, picture.view), kDestructoStarted);
    cracker.Trigger(Point16{120, 125});
    constexpr u32 kStart = 5000;
    const u32 last = kStart + (kFirecrackerFrames - 1) * kDestructoFrameMs;
    // The first step paints the first frame; a step before the next frame is due paints none,
    // one that comes late catches up, and the last frame comes exactly on its time.
    struct Step {
        u32 now;
        bool paints;
    };
    const Step steps[] = {{kStart, true},
                          {kStart + 1, false},
                          {kStart + kDestructoFrameMs - 1, false},
                          {kStart + kDestructoFrameMs, true},
                          {kStart + 5 * kDestructoFrameMs + 7, true},
                          {last - 1, true}};
    for (const Step& step : steps) {
        EXPECT_EQ(!rectIsEmpty(cracker.Step(step.now)), step.paints) << step.now;
        ASSERT_TRUE(cracker.IsBusy()) << step.now;
    }
    dispatcher.DispatchQueuedMessages();
    EXPECT_TRUE(easel.codes.empty());
    EXPECT_NE(picture.view.At(0, 0), kRgb555White);  // the far corner is reached only at the end
    cracker.Step(last);
    EXPECT_FALSE(cracker.IsBusy());
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
    dispatcher.DispatchQueuedMessages();
    EXPECT_EQ(easel.codes, (std::vector<u32>{kDestructoFinished}));
    EXPECT_TRUE(rectIsEmpty(cracker.Step(last + 1000)));  // finished: nothing more
}

TEST(PageWipe, FinishPaintsWhatIsLeftAtOnce) {
    tooltest::Picture picture(40, 30, 0x1111);
    RDFirecracker cracker(nullptr, 123);
    ASSERT_EQ(cracker.Start(Rect16{0, 0, 40, 30}, picture.view), kDestructoStarted);
    cracker.Step(0);
    EXPECT_FALSE(rectIsEmpty(cracker.Finish()));
    EXPECT_FALSE(cracker.IsBusy());
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
    EXPECT_TRUE(rectIsEmpty(cracker.Finish()));
}

TEST(PageWipe, TriggerPointIsKeptInsideThePicture) {
    tooltest::Picture picture(20, 10, 0);
    RDFirecracker cracker(nullptr, 123);
    ASSERT_EQ(cracker.Start(Rect16{50, 50, 70, 60}, picture.view), kDestructoStarted);
    cracker.Trigger(Point16{-500, 900});  // far outside: the wipe starts at the nearest corner
    cracker.Step(0);
    cracker.Step(kDestructoFrameMs);
    EXPECT_EQ(picture.view.At(0, 9), kRgb555White);
    EXPECT_EQ(picture.view.At(19, 0), 0);
}

}  // namespace
