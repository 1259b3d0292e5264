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
