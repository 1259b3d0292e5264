#include "media/swfgl/ContourBuilder.h"

#include <gtest/gtest.h>

#include <utility>

namespace swf::draw {
namespace {

TEST(ContourBuilder, JoinsPiecesEitherWayRoundIntoClosedContours) {
    ContourBuilder builder;
    // A square in three pieces, the middle one backwards.
    builder.StartPiece(0, 0);
    builder.AddPoint(10, 0);
    builder.StartPiece(10, 10);  // backwards: (10, 10) -> (10, 0)
    builder.AddPoint(10, 0);
    builder.StartPiece(10, 10);
    builder.AddPoint(0, 10);
    builder.AddPoint(0, 10);  // a repeated point is dropped
    builder.AddPoint(0, 0);
    std::vector<plat::gl::TessPoint> points;
    std::vector<u32> ends;
    builder.Build(points, ends);
    ASSERT_EQ(ends, std::vector<u32>{4});
    EXPECT_EQ(points.size(), 4u);
    EXPECT_TRUE(builder.Empty());
}

TEST(ContourBuilder, RunsOfFewerThanThreePointsAreLeftOut) {
    ContourBuilder builder;
    builder.StartPiece(0, 0);
    builder.AddPoint(5, 5);
    builder.AddPoint(0, 0);
    std::vector<plat::gl::TessPoint> points;
    std::vector<u32> ends;
    builder.Build(points, ends);
    EXPECT_TRUE(ends.empty());
}

TEST(ContourBuilder, ChainsManyShuffledPiecesIntoOneContourPerOutline) {
    // Two separate polygons of 500 sides each, their sides given one piece at a time, every
    // third backwards, in an order that jumps between them.
    constexpr i32 kSides = 500;
    auto corner = [](i32 polygon, i32 i) {
        const i32 k = i % kSides;
        return plat::gl::TessPoint{polygon * 100000 + k * 10, (k * k) % 977 + (k % 2) * 5000};
    };
    ContourBuilder builder;
    for (i32 step = 0; step < 2 * kSides; ++step) {
        const i32 polygon = step % 2, i = (step / 2 * 7) % kSides;
        plat::gl::TessPoint a = corner(polygon, i), b = corner(polygon, i + 1);
        if (step % 3 == 0) std::swap(a, b);
        builder.StartPiece(a.x, a.y);
        builder.AddPoint(b.x, b.y);
    }
    std::vector<plat::gl::TessPoint> points;
    std::vector<u32> ends;
    builder.Build(points, ends);
    EXPECT_EQ(ends, (std::vector<u32>{kSides, 2 * kSides}));
}

}  // namespace
}  // namespace swf::draw
