#include "media/swfgl/ShapeMesh.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace swf::draw
