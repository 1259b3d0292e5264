// The stamp's sizes and reset, and the roller's frames.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/stamps/RCyclic.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace {

TEST(StampTools, SizeIndexPicksTheScale) {
    RStampSimpleBitmap stamp;
    EXPECT_EQ(stamp.GetToolId(), 120);
    ToolParams params;
    params.sizes = {1, 2, 3, 4, 5};
    stamp.SetParams(params);
    struct Case {
        i16 index;
        i32 percent;
    };
    for (Case c : {Case{-1, 50}, Case{0, 50}, Case{1, 100}, Case{3, 200}, Case{4, 200}}) {
        stamp.SelectSize(c.index);
        EXPECT_EQ(stamp.ScalePercent(), c.percent) << c.index;
    }
}

TEST(StampTools, ResetStampsNothingUntilANewPicture) {
    tooltest::Picture picture(20, 20);
    tooltest::Easel easel(picture);
    RStampSimpleBitmap stamp;
    stamp.SetPicture(PixelTile{std::vector<u16>(4, 0x001F), 2, 2});
    stamp.Reset();
    EXPECT_FALSE(stamp.HasPicture());
    easel.Use(stamp);
    easel.Click({10, 10});
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
    stamp.SetPicture(PixelTile{std::vector<u16>(4, 0x001F), 2, 2});
    easel.Click({10, 10});
    EXPECT_EQ(picture.view.At(9, 9), 0x001F);
    EXPECT_EQ(picture.view.At(10, 10), 0x001F);
}

TEST(StampTools, RollerLeavesOutInvalidFramesAndRestartsEachStroke) {
    RCyclic roller;
    roller.LoadCycle({PixelTile{std::vector<u16>(4, 1), 2, 2}, PixelTile{std::vector<u16>(3, 2), 2, 2},
                      PixelTile{std::vector<u16>(4, 3), 2, 2}});
    EXPECT_EQ(roller.FrameCount(), 2u);
    EXPECT_EQ(roller.Spacing(), 2);
    tooltest::Picture picture(20, 6);
    tooltest::Easel easel(picture);
    easel.Use(roller);
    easel.Stroke({{2, 2}, {4, 2}});
    easel.Stroke({{12, 2}, {14, 2}});
    EXPECT_EQ(picture.view.At(2, 2), 1);
    EXPECT_EQ(picture.view.At(4, 2), 3);
    EXPECT_EQ(picture.view.At(12, 2), 1);
}

TEST(StampTools, RollerWithoutFramesPaintsNothing) {
    RCyclic roller;
    tooltest::Picture picture(10, 10);
    tooltest::Easel easel(picture);
    easel.Use(roller);
    easel.Stroke({{1, 1}, {8, 8}});
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
}

}  // namespace
