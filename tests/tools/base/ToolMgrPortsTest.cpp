// The tool manager over real 16-bit offscreen ports: the tools paint into the work port's
// store and each stroke reaches the screen port at the canvas's place.
#include <gtest/gtest.h>

#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPalette.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/base/ToolNames.h"
#include "tools/pencils/RCircle.h"
#include "tools/shapes/RLine.h"
#include "tools/shapes/ROCircle.h"

namespace {

class ToolMgrPorts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        work = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(40, 30, 16, nullptr));
        screen = static_cast<GfxOffscreenPort*>(gfxNewOffscreenPort(200, 150, 16, nullptr));
        ASSERT_TRUE(work && screen);
        ASSERT_EQ(gfxLockPort(work), kErrNone);
        ASSERT_EQ(gfxLockPort(screen), kErrNone);
        view = pixelViewOfPort(*work);
        ASSERT_NE(view.top, nullptr);
        view.Fill(kRgb555White);
        pixelViewOfPort(*screen).Fill(kRgb555Black);
        mgr.Init(view, kCanvas, nullptr);
        mgr.SetPorts(work, screen);
        mgr.SetHost(&host);
    }
    void TearDown() override {
        for (GfxPort* port : {static_cast<GfxPort*>(work), static_cast<GfxPort*>(screen)}) {
            if (!port) continue;
            gfxUnlockPort(port);
            gfxDisposePort(port);
        }
        gfxShutdownPalettes();
        memShutdown();
    }
    u16 onScreen(i32 x, i32 y) { return pixelViewOfPort(*screen).At(x, y); }
    static constexpr Rect16 kCanvas{50, 40, 90, 70};
    GfxOffscreenPort* work = nullptr;
    GfxOffscreenPort* screen = nullptr;
    PixelView view;
    FixedToolHost host;
    RToolMgr mgr;
};

TEST_F(ToolMgrPorts, StoreViewIsTheWorkPortsPixels) {
    view.Put(3, 2, 0x1234);
    GfxColor read;
    gfxSetPort(work);
    work->ReadPixel(&read, 3, 2);
    EXPECT_EQ(rgb555FromColor(read), 0x1234);
}

TEST_F(ToolMgrPorts, StrokeReachesTheScreenAtTheCanvasPlace) {
    host.color = GfxColor::rgb(255, 0, 0);
    RCircle pencil;
    pencil.Activate(screen, -1, kCanvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&pencil), 0);
    mgr.HandleMessage(&born, 0);
    ASSERT_EQ(mgr.HandleInput(Point16{60, 50}, 0), 1);
    mgr.TrackInput(Point16{70, 50}, 10);
    mgr.EndInput(Point16{80, 50}, 20);
    const u16 red = rgb555(255, 0, 0);
    EXPECT_EQ(view.At(20, 10), red);
    EXPECT_EQ(onScreen(70, 50), red);
    EXPECT_EQ(onScreen(60, 50), red);
    EXPECT_EQ(onScreen(70, 60), kRgb555Black);  // the unchanged part of the canvas is not copied
    EXPECT_EQ(onScreen(49, 50), kRgb555Black);  // outside the canvas
}

TEST_F(ToolMgrPorts, UpdateScreenRectCopiesTheWholeCanvas) {
    mgr.UpdateScreenRect(kCanvas, nullptr);
    EXPECT_EQ(onScreen(50, 40), kRgb555White);
    EXPECT_EQ(onScreen(89, 69), kRgb555White);
    EXPECT_EQ(onScreen(90, 69), kRgb555Black);
    EXPECT_EQ(onScreen(49, 40), kRgb555Black);
}

// The port's store runs bottom-up: undo puts each row back where it was, and shows it.
TEST_F(ToolMgrPorts, UndoOverThePortRestoresEveryRow) {
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) view.Put(x, y, u16((y * 64 + x) & 0x7FFF));
    std::vector<u16> before;
    for (i32 y = 0; y < view.height; ++y) before.insert(before.end(), view.Row(y), view.Row(y) + view.width);
    host.color = GfxColor::rgb(0, 0, 255);
    RCircle pencil;
    pencil.Activate(screen, -1, kCanvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&pencil), 0);
    mgr.HandleMessage(&born, 0);
    ASSERT_EQ(mgr.HandleInput(Point16{52, 42}, 0), 1);
    mgr.EndInput(Point16{85, 65}, 10);
    ASSERT_EQ(view.At(2, 2), rgb555(0, 0, 255));
    Ostrel::RMessage undo(kPaintUndoCode, 0, 0);
    mgr.HandleMessage(&undo, 0);
    std::vector<u16> after;
    for (i32 y = 0; y < view.height; ++y) after.insert(after.end(), view.Row(y), view.Row(y) + view.width);
    EXPECT_EQ(after, before);
    EXPECT_EQ(onScreen(52, 42), u16(2 * 64 + 2));
    EXPECT_EQ(onScreen(89, 69), u16(29 * 64 + 39));
}

// The screen draws again only what a move showed: every pixel a move changes on the screen
// port lies inside the rectangle the manager hands out, a rubber band's erased old place too,
// and a pencil's few dabs are far less than the canvas.
TEST_F(ToolMgrPorts, AMoveShowsNoMoreAndNoLessThanItChanged) {
    RCircle pencil;
    RLine line(nullptr);
    ROCircle ring(nullptr);
    struct Case {
        RTool* tool;
        std::vector<Point16> path;
    };
    const Case cases[] = {
        {&pencil, {{55, 45}, {58, 46}, {61, 47}}},
        {&line, {{55, 45}, {85, 65}, {60, 66}}},
        {&ring, {{70, 55}, {80, 62}, {72, 57}}},
    };
    host.color = GfxColor::rgb(255, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(toolName(c.tool->GetToolId()));
        c.tool->Activate(screen, -1, kCanvas);
        Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(c.tool), 0);
        mgr.HandleMessage(&born, 0);
        ASSERT_EQ(mgr.HandleInput(c.path.front(), 0), 1);
        mgr.TakeShown();
        for (size_t i = 1; i < c.path.size(); ++i) {
            const PixelView shot = pixelViewOfPort(*screen);
            std::vector<u16> before;
            for (i32 y = 0; y < shot.height; ++y) before.insert(before.end(), shot.Row(y), shot.Row(y) + shot.width);
            mgr.TrackInput(c.path[i], u32(10 * i));
            const Rect16 shown = mgr.TakeShown();
            i32 changed = 0;
            for (i32 y = 0; y < shot.height; ++y)
                for (i32 x = 0; x < shot.width; ++x) {
                    if (shot.At(x, y) == before[size_t(y * shot.width + x)]) continue;
                    ++changed;
                    EXPECT_TRUE(rectContainsPoint(shown, Point16{i16(x), i16(y)})) << x << "," << y;
                }
            EXPECT_GT(changed, 0);
            EXPECT_TRUE(rectIsEmpty(mgr.TakeShown()));
            if (c.tool == &pencil) {
                EXPECT_LT((shown.right - shown.left) * (shown.bottom - shown.top), 40 * 30 / 4);
            }
        }
        mgr.EndInput(c.path.back(), 100);
        Ostrel::RMessage kild(kToolMsgKild, reinterpret_cast<uintptr_t>(c.tool), 0);
        mgr.HandleMessage(&kild, 0);
    }
}

}  // namespace
