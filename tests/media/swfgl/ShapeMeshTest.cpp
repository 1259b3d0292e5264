#include "media/swfgl/ShapeMesh.h"

#include <gtest/gtest.h>

#include <limits>

namespace swf::draw {
namespace {

TEST(SegmentQuad, ZeroLengthDrawsNothingAndThinLinesGetTheMinimumWidth) {
    plat::gl::TessPoint corners[4];
    EXPECT_FALSE(SegmentQuad({3, 3}, {3, 3}, 100, corners));
    ASSERT_TRUE(SegmentQuad({0, 0}, {100, 0}, 0, corners));
    EXPECT_EQ(corners[0], (plat::gl::TessPoint{0, 12}));
    EXPECT_EQ(corners[1], (plat::gl::TessPoint{0, -12}));
    EXPECT_EQ(corners[3], (plat::gl::TessPoint{100, -12}));
    ASSERT_TRUE(SegmentQuad({0, 0}, {0, 50}, 60, corners));
    EXPECT_EQ(corners[0], (plat::gl::TessPoint{-30, 0}));
}

// A line along the edge of the 32-bit twips range keeps its corners inside it.
TEST(SegmentQuad, CornersPastTheTwipsRangeStopAtItsEdge) {
    constexpr i32 kMax = std::numeric_limits<i32>::max(), kMin = std::numeric_limits<i32>::min();
    struct Case {
        const char* name;
        plat::gl::TessPoint from, to;
        plat::gl::TessPoint first, second;
    };
    const Case cases[] = {
        {"just inside", {kMax - 50, 0}, {kMax - 50, 100}, {kMax - 100, 0}, {kMax, 0}},
        {"one past", {kMax - 49, 0}, {kMax - 49, 100}, {kMax - 99, 0}, {kMax, 0}},
        {"past the least", {kMin + 10, 5}, {kMin + 10, -95}, {kMin + 60, 5}, {kMin, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::gl::TessPoint corners[4];
        ASSERT_TRUE(SegmentQuad(c.from, c.to, 100, corners));
        EXPECT_EQ(corners[0], c.first);
        EXPECT_EQ(corners[1], c.second);
    }
}

}  // namespace
}  // namespace swf::draw
