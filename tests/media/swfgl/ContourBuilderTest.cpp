#include "media/swfgl/ContourBuilder.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace swf::draw
