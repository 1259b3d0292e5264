// The stamp's sizes and reset, and the roller's frames.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/tools/ShapeGroupTestSupport.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/base/ToolPicture.h"
#include "tools/stamps/RCyclic.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace {

TEST(StampTools, SizeIndexPicksTheScale) {
    RStampSimpleBitmap stamp;
    EXPECT_EQ(stamp.GetToolId(), 120);
    EXPECT_EQ(stamp.ScalePercent(), 100) << "a new stamp lays the picture as drawn";
    ToolParams params;
    params.sizes = {1, 2, 3, 4, 5};
    stamp.SetParams(params);
    struct Case {
        i16 index;
        i32 percent;
    };
    for (Case c : {Case{-1, 100}, Case{0, 100}, Case{1, 150}, Case{2, 200}, Case{3, 300}, Case{4, 300}}) {
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

// A stamp laid three times its size keeps a smooth outline and blends its colours, with no
// pale rim where it meets its transparent white, and comes back unchanged at its own size.
TEST(StampTools, LargeSizesScaleSmoothly) {
    constexpr u16 kRed = 0x7C00, kBlue = 0x001F;
    // A staircase: row y holds y + 1 red pixels, then blue ones, then a white column.
    PixelTile stairs{{}, 7, 6};
    for (i32 y = 0; y < 6; ++y)
        for (i32 x = 0; x < 7; ++x) stairs.pixels.push_back(x <= y ? kRed : x < 6 ? kBlue : kRgb555White);
    EXPECT_EQ(scaleTile(stairs, 100).pixels, stairs.pixels);
    const PixelTile big = scaleTile(stairs, 300);
    ASSERT_EQ(big.width, 21);
    bool blended = false;
    i32 previousRun = -1;
    for (i32 y = 0; y < big.height; ++y) {
        i32 run = 0;
        while (run < big.width && rgb555Red(big.At(run, y)) > rgb555Blue(big.At(run, y))) ++run;
        // Nearest pixels would grow the red run by three every third row.
        if (previousRun >= 0) {
            EXPECT_LE(std::abs(run - previousRun), 2) << y;
        }
        previousRun = run;
        for (i32 x = 0; x < big.width; ++x) {
            const u16 p = big.At(x, y);
            blended |= rgb555Red(p) > 0 && rgb555Blue(p) > 0;
            if (p != kRgb555White) {
                EXPECT_EQ(rgb555Green(p), 0) << x << "," << y << " is a pale rim";
            }
            // The white column stays transparent.
            if (x >= 19) {
                EXPECT_EQ(p, kRgb555White) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(blended);
}

class Roller : public tooltest::ShapeGroups {};

// Frames 1 to 3 of a group, 2 × 2 each, in colours 1, 2 and 3; the second also in a frame
// wider than any tool picture, which cannot be read.
TEST_F(Roller, RollsTheGroupsReadableFramesInTurnAndRestartsEachStroke) {
    const u16 slot = LoadGroup(24000, {tooltest::solidFrame(2, 2, 1), tooltest::solidFrame(kToolPictureMaxSide + 1, 1, 9),
                                       tooltest::solidFrame(2, 2, 2), tooltest::solidFrame(2, 2, 3)});
    ASSERT_EQ(slot, 0);
    RCyclic roller;
    roller.SetShapeGroup(slot, 1, 24000);
    roller.LoadCycle();
    EXPECT_EQ(roller.FrameCount(), 3u);
    EXPECT_EQ(roller.Spacing(), 2);
    tooltest::Picture picture(20, 6);
    tooltest::Easel easel(picture);
    easel.Use(roller);
    easel.Stroke({{2, 2}, {6, 2}});
    easel.Stroke({{12, 2}, {14, 2}});
    EXPECT_EQ(picture.view.At(2, 2), 1);
    EXPECT_EQ(picture.view.At(4, 2), 2);
    EXPECT_EQ(picture.view.At(6, 2), 3);
    EXPECT_EQ(picture.view.At(12, 2), 1);
    EXPECT_EQ(picture.view.At(14, 2), 2);
}

TEST_F(Roller, WithoutTheFlagOrAGroupInTheSlotPaintsNothing) {
    LoadGroup(24000, {tooltest::solidFrame(2, 2, 1)});
    struct Case {
        const char* name;
        u16 slot;
        u16 flag;
    };
    // Slot 0 holds the group; 13 is the last slot (empty), 14 one past the table.
    for (Case c : {Case{"no flag", 0, 0}, Case{"empty last slot", kSprGroupSlots - 1, 1},
                   Case{"past the table", kSprGroupSlots, 1}, Case{"no slot", kSprNoSlot, 1}}) {
        RCyclic roller;
        roller.SetShapeGroup(c.slot, c.flag, 24000);
        roller.LoadCycle();
        EXPECT_EQ(roller.FrameCount(), 0u) << c.name;
        EXPECT_EQ(roller.Spacing(), 1) << c.name;
        tooltest::Picture picture(10, 10);
        tooltest::Easel easel(picture);
        easel.Use(roller);
        easel.Stroke({{1, 1}, {8, 8}});
        for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White) << c.name;
    }
}

// The roller steps by its first frame's width, however narrow.
TEST_F(Roller, StepsByItsFirstFramesWidth) {
    for (const auto& [width, group] : {std::pair<u16, u16>{1, 24000}, {3, 24100}}) {
        RCyclic roller;
        roller.SetShapeGroup(LoadGroup(group, {tooltest::solidFrame(width, 2, 1), tooltest::solidFrame(5, 2, 2)}), 1, group);
        roller.LoadCycle();
        EXPECT_EQ(roller.Spacing(), width);
    }
}

// Releasing a group moves the later ones down a slot and frees the last: a roller that has
// not looked its group up again keeps its own frames, never the group that takes the slot.
TEST_F(Roller, FollowsItsGroupToAnotherSlotAndKeepsItsFramesMeanwhile) {
    LoadGroup(24000, {tooltest::solidFrame(2, 2, 1)});
    ASSERT_EQ(LoadGroup(24100, {tooltest::solidFrame(2, 2, 2)}), 1);
    RCyclic roller;
    roller.SetShapeGroup(1, 1, 24100);
    roller.LoadCycle();
    sprReleaseGroup(24000, 0);
    ASSERT_EQ(LoadGroup(24200, {tooltest::solidFrame(2, 2, 3)}), 1);
    tooltest::Picture picture(10, 4);
    tooltest::Easel easel(picture);
    easel.Use(roller);
    easel.Click({2, 2});
    EXPECT_EQ(picture.view.At(2, 2), 2);

    roller.FindShapeGroup();
    EXPECT_EQ(roller.GetSlot(), 0);
    EXPECT_EQ(roller.FrameCount(), 1u);
    sprReleaseGroup(24100, 0);
    roller.FindShapeGroup();
    EXPECT_EQ(roller.GetSlot(), kSprNoSlot);
    EXPECT_EQ(roller.FrameCount(), 0u);
}

}  // namespace
