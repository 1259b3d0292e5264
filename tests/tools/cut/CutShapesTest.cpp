// The cut shapes hand their owner the region of their inside in screen coordinates; the
// marching ants pass strokes to them and march with time.
#include <gtest/gtest.h>

#include <memory>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Regions.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/base/DashedPath.h"
#include "tools/cut/CutRegion.h"
#include "tools/cut/RCutFree.h"
#include "tools/cut/RCutPoly.h"
#include "tools/cut/RCutSquare.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/cut/ROCircleCut.h"

namespace {

class Panel : public CListener {
public:
    ~Panel() override {
        for (memHandle r : regions) rgnDispose(r);
    }
    u32 HandleMessage(Ostrel::RMessage* m, uintptr_t) override {
        if (m->code != kCutRegionReady) return 0;
        if (m->param1)
            regions.push_back(memHandle(m->param1));
        else
            ++empties;
        return 0;
    }
    std::vector<memHandle> regions;
    int empties = 0;
};

class CutShapes : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(memInit(0, 512), kErrNone); }
    void TearDown() override {
        for (memHandle r : panel.regions) rgnDispose(r);
        panel.regions.clear();
        memShutdown();
    }
    // A canvas at (100, 50) on the screen.
    void cut(RTool& shape, const std::vector<std::vector<Point16>>& strokes) {
        mgr.Init(picture.view, kCanvas, nullptr);
        ants.SetCutShape(dynamic_cast<RDragTool*>(&shape));
        ants.Activate(nullptr, -1, kCanvas);
        Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&ants), 0);
        mgr.HandleMessage(&born, 0);
        u32 t = 0;
        for (const auto& s : strokes) {
            mgr.HandleInput(s.front(), t += 10);
            for (size_t i = 1; i + 1 < s.size(); ++i) mgr.TrackInput(s[i], t += 10);
            mgr.EndInput(s.back(), t += 10);
        }
    }
    bool inRegion(i16 x, i16 y) const { return rgnContainsPoint(panel.regions.back(), Point16{x, y}) != 0; }
    static constexpr Rect16 kCanvas{100, 50, 160, 90};
    tooltest::Picture picture{60, 40, 0x2222};
    Panel panel;
    RToolMgr mgr;
    RMarchingAnts ants;
};

TEST_F(CutShapes, SquareRegionIsInScreenCoordinates) {
    RCutSquare square(&panel);
    const std::vector<u16> before = picture.pixels;
    cut(square, {{{110, 60}, {130, 70}, {140, 80}}});
    ASSERT_EQ(panel.regions.size(), 1u);
    EXPECT_TRUE(inRegion(110, 60));
    EXPECT_TRUE(inRegion(139, 79));
    EXPECT_FALSE(inRegion(140, 80));
    EXPECT_FALSE(inRegion(109, 60));
    EXPECT_EQ(picture.pixels, before);  // the ants are gone, nothing painted
}

TEST_F(CutShapes, CircleAndFreehandHandRegions) {
    ROCircleCut circle(&panel);
    cut(circle, {{{110, 55}, {150, 85}}});
    ASSERT_EQ(panel.regions.size(), 1u);
    EXPECT_TRUE(inRegion(130, 70));
    EXPECT_FALSE(inRegion(111, 56));  // a corner of the box is outside the ellipse
    RCutFree free(&panel);
    cut(free, {{{105, 55}, {150, 55}, {150, 85}, {105, 85}}});
    ASSERT_EQ(panel.regions.size(), 2u);
    EXPECT_TRUE(inRegion(120, 70));
}

TEST_F(CutShapes, PolygonClosesNearItsFirstCorner) {
    struct Case {
        i16 dx;
        bool closes;
    };
    for (Case c : {Case{kPolyCloseDistance, true}, Case{kPolyCloseDistance + 1, false}}) {
        RCutPoly poly(&panel);
        size_t before = panel.regions.size();
        cut(poly, {{{110, 60}, {150, 60}}, {{150, 60}, {150, 85}}, {{150, 85}, {i16(110 + c.dx), 60}}});
        EXPECT_EQ(panel.regions.size() > before, c.closes) << c.dx;
    }
}

TEST_F(CutShapes, EmptyInsideHandsNoRegionNoOwnerHearsNothing) {
    RCutSquare flat(&panel);
    cut(flat, {{{110, 60}, {140, 60}}});  // no height
    RCutFree line(&panel);
    cut(line, {{{110, 60}, {124, 70}, {140, 80}}});  // straight on, a pixel off the line
    EXPECT_TRUE(panel.regions.empty());
    EXPECT_EQ(panel.empties, 2) << "told that nothing was cut";
    cut(line, {{{110, 60}, {110, 80}, {140, 80}}});  // a wedge of 300 pixels
    EXPECT_EQ(panel.regions.size(), 1u);
    RCutSquare orphan(nullptr);
    cut(orphan, {{{110, 60}, {140, 80}}});
    EXPECT_EQ(panel.regions.size(), 1u);
    EXPECT_EQ(panel.empties, 2);
}

TEST_F(CutShapes, AntsMarchWithTime) {
    RCutSquare square(&panel);
    mgr.Init(picture.view, kCanvas, nullptr);
    ants.SetCutShape(&square);
    ants.Activate(nullptr, -1, kCanvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&ants), 0);
    mgr.HandleMessage(&born, 0);
    mgr.HandleInput(Point16{110, 60}, 0);
    mgr.TrackInput(Point16{140, 80}, 0);
    const std::vector<u16> early = picture.pixels;
    mgr.TrackInput(Point16{140, 80}, kAntsStepMs);
    EXPECT_NE(picture.pixels, early);
    mgr.TrackInput(Point16{140, 80}, kAntsStepMs * 2 * kDashLength);  // a whole cycle later
    EXPECT_EQ(picture.pixels, early);
    mgr.EndInput(Point16{140, 80}, 0);
}

TEST_F(CutShapes, AntsWithoutAShapeDoNothing) {
    mgr.Init(picture.view, kCanvas, nullptr);
    ants.Activate(nullptr, -1, kCanvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&ants), 0);
    mgr.HandleMessage(&born, 0);
    const std::vector<u16> before = picture.pixels;
    EXPECT_EQ(mgr.HandleInput(Point16{110, 60}, 0), 1);
    mgr.EndInput(Point16{130, 70}, 10);
    EXPECT_EQ(picture.pixels, before);
}

// The panel may hand the ants another shape while a stroke runs: the new shape never saw the
// press, so the stroke ends there, the old shape's ants are taken away and nothing is cut.
TEST_F(CutShapes, ShapeReplacedMidStrokeEndsTheStroke) {
    auto first = std::make_unique<RCutFree>(&panel);
    mgr.Init(picture.view, kCanvas, nullptr);
    ants.SetCutShape(first.get());
    ants.Activate(nullptr, -1, kCanvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&ants), 0);
    mgr.HandleMessage(&born, 0);
    const std::vector<u16> before = picture.pixels;
    ASSERT_EQ(mgr.HandleInput(Point16{110, 60}, 0), 1);
    mgr.TrackInput(Point16{140, 60}, 10);
    ASSERT_NE(picture.pixels, before);
    RCutFree second(&panel);
    ants.SetCutShape(&second);
    first.reset();
    mgr.TrackInput(Point16{140, 80}, 20);
    mgr.EndInput(Point16{110, 80}, 30);
    EXPECT_TRUE(panel.regions.empty());
    EXPECT_EQ(picture.pixels, before);
    cut(second, {{{105, 55}, {150, 55}, {150, 85}, {105, 85}}});  // the next stroke uses the new shape
    EXPECT_EQ(panel.regions.size(), 1u);
}

}  // namespace
