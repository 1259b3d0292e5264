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
