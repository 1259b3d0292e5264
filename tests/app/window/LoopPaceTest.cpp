// The loop's pace: fast while the screen changes or input comes, slow once the screen has
// stood still for kQuietTicks ticks.
#include "app/window/LoopPace.h"

#include <gtest/gtest.h>

namespace {

using namespace Ostrel;

constexpr u32 kBusy = 10;

TEST(LoopPace, SlowsOnlyAfterEnoughQuietTicksAndWakesOnDrawingOrInput) {
    struct Case {
        u32 quietTicks;
        bool thenDraw;
        bool thenInput;
        u32 period;
    };
    const Case cases[] = {
        {0, false, false, kBusy},
        {kQuietTicks - 1, false, false, kBusy},
        {kQuietTicks, false, false, kQuietLoopPeriod},
        {kQuietTicks + 5, false, false, kQuietLoopPeriod},
        {kQuietTicks, true, false, kBusy},
        {kQuietTicks, false, true, kBusy},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.quietTicks << " quiet, draw " << c.thenDraw << ", input " << c.thenInput);
        LoopPace pace(kBusy);
        u32 period = pace.Period();
        for (u32 tick = 0; tick < c.quietTicks; ++tick) period = pace.AfterTick(false);
        if (c.thenDraw) period = pace.AfterTick(true);
        if (c.thenInput) period = pace.AfterInput();
        EXPECT_EQ(period, c.period);
        EXPECT_EQ(pace.Period(), c.period);
    }
}

}  // namespace
