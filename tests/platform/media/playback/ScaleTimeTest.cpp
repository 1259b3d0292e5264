#include <gtest/gtest.h>

#include <cstdint>

#include "platform/media/playback/ScaleTime.h"

namespace pm = plat::media;

TEST(ScaleTime, RoundsDownOrUpAndNeverOverflowsOnTheWay) {
    const struct {
        int64_t a, b, c;
        int64_t down, up;
    } cases[] = {
        {1800, 1000, 600, 3000, 3000},
        {1, 1000, 600, 1, 2},
        {-1, 1000, 600, -2, -1},
        {0, 1000, 600, 0, 0},
        // A product past 64 bits still divides back exactly.
        {INT64_MAX, 600, 600, INT64_MAX, INT64_MAX},
        {INT64_MAX / 2, 22050, 44100, INT64_MAX / 4, INT64_MAX / 4 + 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pm::scaleTime(c.a, c.b, c.c), c.down) << c.a << "*" << c.b << "/" << c.c;
        EXPECT_EQ(pm::scaleTime(c.a, c.b, c.c, true), c.up) << c.a << "*" << c.b << "/" << c.c;
    }
}

TEST(ScaleTime, SoundReadsGoOnWhereTheLastEndedWithinOneTimeUnit) {
    // 22050 frames a second in units of 1/600 s: 36.75 frames a unit, so a start up to 37
    // frames either side of the last end goes on from it. Unit 111 starts at frame 4079.
    const struct {
        int64_t next, frame;
    } cases[] = {
        {4079 + 37, 4079 + 37},
        {4079 + 38, 4079},
        {4079 - 37, 4079 - 37},
        {4079 - 38, 4079},
        {-1, 4079},
    };
    for (const auto& c : cases) EXPECT_EQ(pm::soundFrameOf(111, 22050, 600, c.next), c.frame) << "after " << c.next;
}
