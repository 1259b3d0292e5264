#include "app/dialogs/DoublePress.h"

#include <gtest/gtest.h>

#include "platform/clock/Clock.h"

namespace {

using namespace Ostrel;

// A second press after a first at (100, 100): within the time and the slop on both axes it
// completes a double press.
TEST(DoublePress, SecondPressWithinTimeAndSlop) {
    struct Case {
        u32 after;
        i16 dh, dv;
        bool isDouble;
    };
    const Case cases[] = {
        {0, 0, 0, true},
        {kDoublePressMs, kDoublePressSlop, -kDoublePressSlop, true},
        {kDoublePressMs + 1, 0, 0, false},
        {10, kDoublePressSlop + 1, 0, false},
        {10, -kDoublePressSlop - 1, 0, false},
        {10, 0, kDoublePressSlop + 1, false},
        {10, 0, -kDoublePressSlop - 1, false},
    };
    for (const Case& c : cases) {
        plat::ScopedFakeClock clock(1000);
        DoublePress press;
        EXPECT_FALSE(press.Press({100, 100}));
        clock.advance(c.after);
        EXPECT_EQ(press.Press({i16(100 + c.dh), i16(100 + c.dv)}), c.isDouble) << c.after << " " << c.dh << "," << c.dv;
    }
}

TEST(DoublePress, AThirdPressStartsAfresh) {
    plat::ScopedFakeClock clock(1000);
    DoublePress press;
    const bool expected[] = {false, true, false, true, false};
    for (bool isDouble : expected) {
        EXPECT_EQ(press.Press({5, 5}), isDouble);
        clock.advance(20);
    }
    // A single press too late or too far is the first of a new pair.
    clock.advance(kDoublePressMs);
    EXPECT_FALSE(press.Press({5, 5}));
    EXPECT_FALSE(press.Press({50, 5}));
    EXPECT_TRUE(press.Press({50, 5}));
}

}  // namespace
