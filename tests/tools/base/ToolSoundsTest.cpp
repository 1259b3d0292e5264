// How the stroke sound follows a stroke: its rate by speed (and a lift going up), its pan by
// the horizontal direction.
#include <gtest/gtest.h>

#include "tools/base/ToolSounds.h"

namespace {

double rateOf(float speed, float dx, float dy) { return strokeSoundRate(StrokeMotion{speed, dx, dy}, 600) / 65536.0; }

TEST(ToolSounds, RateFollowsSpeed) {
    struct Case {
        float speed;
        double rate;
    };
    for (Case c : {Case{0, 0.5}, Case{300, 0.75}, Case{600, 1.0}, Case{1800, 2.0}, Case{6000, 2.0}})
        EXPECT_NEAR(rateOf(c.speed, 1, 0), c.rate, 1e-4) << c.speed;
}

TEST(ToolSounds, UpwardStrokesSoundHigher) {
    EXPECT_GT(rateOf(600, 0, -5), rateOf(600, 5, 0));
    EXPECT_LT(rateOf(600, 0, 5), rateOf(600, 5, 0));
    EXPECT_NEAR(rateOf(0, 0, 5), 0.5, 1e-4);  // never below half rate
}

TEST(ToolSounds, PanFollowsHorizontalDirection) {
    struct Case {
        float dx, dy;
        i16 pan;
    };
    for (Case c : {Case{5, 0, 256}, Case{-5, 0, -256}, Case{0, 7, 0}, Case{0, 0, 0}, Case{3, 4, 154}})
        EXPECT_EQ(strokeSoundPan(StrokeMotion{100, c.dx, c.dy}), c.pan) << c.dx << "," << c.dy;
}

}  // namespace
