// The hands-free brushes, 55-64: moved over the canvas with no button down, each paints the
// wave (the sheet tests/tools/golden/handsfree.png); the tool manager makes one undo step of
// what the mouse painted from coming into the canvas to leaving it, or to a press, and hands
// moves to no other tool.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/BrushFamilyTestSupport.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush1.h"
#include "tools/handsfree/RTouchless1.h"
#include "tools/handsfree/RTouchless10.h"
#include "tools/handsfree/RTouchless2.h"
#include "tools/handsfree/RTouchless3.h"
#include "tools/handsfree/RTouchless4.h"
#include "tools/handsfree/RTouchless5.h"
#include "tools/handsfree/RTouchless6.h"
#include "tools/handsfree/RTouchless7.h"
#include "tools/handsfree/RTouchless8.h"
#include "tools/handsfree/RTouchless9.h"

namespace {

using namespace tooltest;

const GfxColor kRed = GfxColor::rgb(210, 30, 40);
const GfxColor kBlue = GfxColor::rgb(40, 80, 220);
const GfxColor kGreen = GfxColor::rgb(30, 150, 60);

const std::vector<FamilyTool> kHandsFree = {
    {"Touchless1", 55, makeTool<RTouchless1>(), 10, kBlue}, {"Touchless2", 56, makeTool<RTouchless2>(), 10, kRed},
    {"Touchless3", 57, makeTool<RTouchless3>(), 14, kRed},  {"Touchless4", 58, makeTool<RTouchless4>(), 14, kBlue},
    {"Touchless5", 59, makeTool<RTouchless5>(), 14, kBlue}, {"Touchless6", 60, makeTool<RTouchless6>(), 14, kRed},
    {"Touchless7", 61, makeTool<RTouchless7>(), 16, kRed},  {"Touchless8", 62, makeTool<RTouchless8>(), 12, kGreen},
    {"Touchless9", 63, makeTool<RTouchless9>(), 14, kBlue}, {"Touchless10", 64, makeTool<RTouchless10>(), 16, kGreen},
};

std::vector<Point16> wave(const FamilyTool&) { return waveStroke(); }

// Only moves: in over the wave, then out past the canvas's right edge.
void moveOver(Easel& easel, RTool&, const std::vector<Point16>& stroke) {
    for (Point16 p : stroke) EXPECT_EQ(easel.mgr.HoverInput(p, easel.clock += 10), 1);
    EXPECT_EQ(easel.mgr.HoverInput(Point16{i16(kCellW + 5), 40}, easel.clock += 10), 0);
    EXPECT_FALSE(easel.mgr.IsHovering());
}

TEST(HandsFreeFamily, EveryHandsFreeBrushPaintsWhereTheMouseMoves) { expectFamilySheet("handsfree", kHandsFree, wave, moveOver); }

TEST(HandsFreeFamily, UndoTakesEveryHoverStrokeBackByteForByte) { expectUndoRestores(kHandsFree, wave, moveOver); }

class HoverStrokes : public ::testing::Test {
protected:
    HoverStrokes() : easel(picture, GfxColor::rgb(0, 0, 200)) {
        easel.mgr.Init(picture.view, easel.canvas, &undo);
        sizeTool(brush, 10);
        easel.Use(brush);
    }
    void hover(std::initializer_list<Point16> points) {
        for (Point16 p : points) easel.mgr.HoverInput(p, easel.clock += 10);
    }
    void chooseUndo() {
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
    }
    Picture picture{kCellW, kCellH};
    mfDispatcher dispatcher;
    Ostrel::UndoManager undo{201, [](const char*) { return std::string(); }};
    Easel easel;
    RTouchless1 brush;
};

TEST_F(HoverStrokes, MovesOverTheCanvasPaintAsOneStrokeUntilTheMouseLeaves) {
    hover({{10, 10}, {40, 10}});
    EXPECT_TRUE(easel.mgr.IsHovering());
    EXPECT_NE(picture.view.At(25, 10), kRgb555White);
    // Still one stroke: no undo step yet.
    EXPECT_NE(undo.GetCurrentCode(), kPaintUndoCode);
    hover({{-3, 10}});
    EXPECT_FALSE(easel.mgr.IsHovering());
    EXPECT_EQ(undo.GetCurrentCode(), kPaintUndoCode);
    chooseUndo();
    EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](u16 p) { return p == kRgb555White; }));
}

TEST_F(HoverStrokes, APressEndsTheHoverStrokeSoUndoTakesBackOnlyThePressedStroke) {
    hover({{10, 10}, {40, 10}});
    const std::vector<u16> afterHover = picture.pixels;
    easel.Stroke({{10, 60}, {60, 60}});
    EXPECT_FALSE(easel.mgr.IsHovering());
    chooseUndo();
    EXPECT_EQ(picture.pixels, afterHover);
}

TEST_F(HoverStrokes, AnotherToolEndsTheHoverStrokeAndMovesNoLongerPaint) {
    hover({{10, 10}, {40, 10}});
    RCustomBrush1 stamping;
    easel.Use(stamping);
    EXPECT_FALSE(easel.mgr.IsHovering());
    EXPECT_EQ(undo.GetCurrentCode(), kPaintUndoCode);
    const std::vector<u16> before = picture.pixels;
    hover({{10, 50}, {60, 50}});
    EXPECT_EQ(picture.pixels, before);
    EXPECT_FALSE(easel.mgr.IsHovering());
}

TEST_F(HoverStrokes, MovesOutsideTheCanvasOrDuringAPressedStrokeStartNoHoverStroke) {
    hover({{-5, 10}, {200, 10}});
    EXPECT_FALSE(easel.mgr.IsHovering());
    ASSERT_EQ(easel.mgr.HandleInput(Point16{10, 70}, easel.clock += 10), 1);
    EXPECT_EQ(easel.mgr.HoverInput(Point16{30, 70}, easel.clock += 10), 0);
    EXPECT_FALSE(easel.mgr.IsHovering());
    easel.mgr.EndInput(Point16{30, 70}, easel.clock += 10);
    EXPECT_EQ(picture.view.At(30, 40), kRgb555White);
}

}  // namespace
