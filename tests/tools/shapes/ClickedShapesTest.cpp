// The shapes made of more than one drag: polygons closing near their first corner, and the
// curve's straight line put away when it is bent or finished.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/pencils/RCircle.h"
#include "tools/shapes/RCurve.h"
#include "tools/shapes/RLine.h"
#include "tools/shapes/ROPoly.h"

namespace {

// Corners clicked at (10, 10), (50, 10) and, for three, (50, 30), then a release at `last`: a
// release within the distance of the first corner on both axes closes a polygon of three.
TEST(ClickedShapes, PolygonClosesNearItsFirstCornerOnceItHasThree) {
    constexpr i16 kIn = kPolyCloseDistance, kOut = kPolyCloseDistance + 1;
    struct Case {
        size_t corners;
        Point16 last;
        size_t cornersLeft;
    };
    const Case cases[] = {
        {3, {10 + kIn, 10}, 0},      {3, {10 + kOut, 10}, 4},  {3, {10 - kIn, 10 + kIn}, 0},
        {3, {10 - kOut, 10}, 4},     {3, {10, 10 + kOut}, 4},  {3, {10, 10 - kOut}, 4},
        {2, {10, 10}, 3},            // two corners never close
        {3, {50, 30}, 3},            // a release on the last corner adds none
    };
    for (const Case& c : cases) {
        tooltest::Picture picture(60, 40);
        tooltest::Easel easel(picture);
        ROPoly poly(nullptr);
        easel.Use(poly);
        easel.Stroke({{10, 10}, {50, 10}});
        if (c.corners == 3) easel.Stroke({{50, 10}, {50, 30}});
        easel.Stroke({poly.Corners().back(), c.last});
        EXPECT_EQ(poly.Corners().size(), c.cornersLeft) << c.corners << " corners, to " << c.last.h << "," << c.last.v;
    }
}

TEST(ClickedShapes, CurveFinishedUnbentIsTheStraightLine) {
    const GfxColor red = GfxColor::rgb(255, 0, 0);
    tooltest::Picture lined(60, 40), curved(60, 40);
    {
        tooltest::Easel easel(lined, red);
        RCircle pencil;
        RLine line(nullptr);
        line.SetPencil(&pencil);
        easel.Use(line);
        easel.Stroke({{5, 30}, {55, 10}});
    }
    tooltest::Easel easel(curved, red);
    RCircle pencil;
    RCurve curve(nullptr);
    curve.SetPencil(&pencil);
    easel.Use(curve);
    easel.Stroke({{5, 30}, {55, 10}});
    EXPECT_TRUE(curve.IsBending());
    easel.mgr.FinishTool();
    EXPECT_FALSE(curve.IsBending());
    EXPECT_EQ(curved.pixels, lined.pixels);  // the band of the first drag is gone
}

TEST(ClickedShapes, BentCurveLeavesNoBand) {
    tooltest::Picture picture(60, 40);
    tooltest::Easel easel(picture);
    RCurve curve(nullptr);  // no pencil: whatever remains would be band
    easel.Use(curve);
    easel.Stroke({{5, 30}, {55, 10}});
    easel.Stroke({{30, 20}, {30, 2}});
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
}

// Undoing a curve, bent or finished straight, gives back the picture from before its first
// drag: the band the first drag left in the picture is not part of it.
TEST(ClickedShapes, UndoingACurveLeavesNoBand) {
    struct Case {
        const char* why;
        bool bend;
    };
    for (Case c : {Case{"bent", true}, Case{"finished straight", false}}) {
        tooltest::Picture picture(60, 40);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture);
        RCircle pencil;
        RCurve curve(nullptr);
        curve.SetPencil(&pencil);
        easel.Use(curve);
        easel.Stroke({{5, 30}, {55, 10}});
        if (c.bend) easel.Stroke({{30, 20}, {30, 2}});
        else easel.mgr.FinishTool();
        ASSERT_NE(picture.pixels, before) << c.why;
        Ostrel::RMessage undo(kPaintUndoCode, 0, 0);
        easel.mgr.HandleMessage(&undo, 0);
        EXPECT_EQ(picture.pixels, before) << c.why;
    }
}

// Between its drags the waiting curve bends toward the pointer as it moves, each preview
// taking the last one away; the click that follows draws the same curve as a second drag to
// that point, and undo leaves no preview behind.
TEST(ClickedShapes, WaitingCurveBendsTowardThePointer) {
    const auto ink = [](const tooltest::Picture& p, i32 x, i32 top, i32 bottom) {
        for (i32 y = top; y < bottom; ++y)
            if (p.view.At(x, y) != kRgb555White) return true;
        return false;
    };
    tooltest::Picture bent(60, 40), dragged(60, 40);
    const std::vector<u16> blank = bent.pixels;
    {
        tooltest::Easel easel(dragged);
        RCircle pencil;
        RCurve curve(nullptr);
        curve.SetPencil(&pencil);
        easel.Use(curve);
        easel.Stroke({{5, 30}, {55, 30}});
        easel.Stroke({{30, 5}, {30, 5}});
    }
    tooltest::Easel easel(bent);
    RCircle pencil;
    RCurve curve(nullptr);
    curve.SetPencil(&pencil);
    easel.Use(curve);
    EXPECT_EQ(easel.mgr.FollowInput({30, 5}, 900), 0) << "nothing to bend before the first drag";
    easel.Stroke({{5, 30}, {55, 30}});
    ASSERT_EQ(easel.mgr.FollowInput({30, 38}, 1500), 1);
    EXPECT_TRUE(ink(bent, 30, 32, 37)) << "bent down toward the pointer";
    EXPECT_FALSE(ink(bent, 30, 28, 32)) << "the straight band is lifted";
    ASSERT_EQ(easel.mgr.FollowInput({30, 5}, 1510), 1);
    EXPECT_TRUE(ink(bent, 30, 15, 20)) << "bent up toward the pointer";
    EXPECT_FALSE(ink(bent, 30, 30, 40)) << "the last preview is gone";
    easel.Click({30, 5});
    EXPECT_FALSE(curve.IsBending());
    EXPECT_EQ(bent.pixels, dragged.pixels);
    Ostrel::RMessage undo(kPaintUndoCode, 0, 0);
    easel.mgr.HandleMessage(&undo, 0);
    EXPECT_EQ(bent.pixels, blank);
}

// A curve waiting to be bent when another tool takes over takes its band away.
TEST(ClickedShapes, CurveDroppedWhileWaitingLeavesNoBand) {
    for (FourCC code : {kToolMsgKild, kToolMsgBorn}) {
        tooltest::Picture picture(60, 40);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture);
        RCircle pencil;
        RCurve curve(nullptr);
        curve.SetPencil(&pencil);
        easel.Use(curve);
        easel.Stroke({{5, 30}, {55, 10}});
        ASSERT_NE(picture.pixels, before);
        Ostrel::RMessage next(code, code == kToolMsgBorn ? reinterpret_cast<uintptr_t>(&pencil) : 0, 0);
        easel.mgr.HandleMessage(&next, 0);
        EXPECT_EQ(picture.pixels, before);
        EXPECT_FALSE(curve.IsBending());
    }
}

// The picture changed under a curve waiting to be bent (a page wipe, an undo): what lay under
// its straight line before is not put back over the new picture.
TEST(ClickedShapes, CurveLeavesAPictureChangedBetweenDragsAlone) {
    tooltest::Picture picture(60, 40, 0x1234);
    tooltest::Easel easel(picture);
    RCurve curve(nullptr);  // no pencil: the bent curve paints nothing
    easel.Use(curve);
    easel.Stroke({{5, 30}, {55, 10}});
    picture.view.Fill(kRgb555White);
    easel.Stroke({{30, 20}, {30, 2}});
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
}

}  // namespace
