// The tool manager: which tool it drives after 'born', 'kild' and 'chng', how strokes reach
// the tool in picture coordinates, what 'grfx' names, and undo and redo of a stroke restoring
// the picture byte for byte.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/undo/UndoManager.h"
#include "tools/base/RTool.h"
#include "tools/base/ToolNames.h"
#include "tools/base/RToolMgr.h"

namespace {

using Ostrel::RMessage;

// Paints one pixel of its colour at every point and keeps what it was told.
class DotTool : public RTool {
public:
    explicit DotTool(i16 id, u16 pixel = 0x001F) : RTool(id), pixel_(pixel) {}
    std::vector<std::string> events;
    void Finish(ToolCanvas& canvas) override {
        events.push_back("finish");
        Dot(canvas, Point16{0, 0});
    }

protected:
    void MouseDown(ToolCanvas& c, Point16 p) override { Record("down", c, p); }
    void MouseMove(ToolCanvas& c, Point16 p) override { Record("move", c, p); }
    void MouseUp(ToolCanvas& c, Point16 p) override { Record("up", c, p); }

private:
    void Record(const char* what, ToolCanvas& c, Point16 p) {
        events.push_back(std::string(what) + " " + std::to_string(p.h) + "," + std::to_string(p.v) + " @" +
                         std::to_string(c.Time()));
        Dot(c, p);
    }
    void Dot(ToolCanvas& c, Point16 p) {
        c.Picture().Put(p.h, p.v, pixel_);
        c.MarkChanged(Rect16{p.h, p.v, i16(p.h + 1), i16(p.v + 1)});
    }
    u16 pixel_;
};

// Counts 'grfx' and keeps the rectangle it named.
class GraphicsEar : public CListener {
public:
    u32 HandleMessage(RMessage* m, uintptr_t) override {
        if (m->code == kToolMsgGraphics) {
            ++heard;
            last = *reinterpret_cast<const Rect16*>(m->param1);
        }
        return 0;
    }
    int heard = 0;
    Rect16 last{};
};

class ToolMgrFlow : public ::testing::Test {
protected:
    void SetUp() override {
        work = pixelViewOfBuffer(pixels, 40, 30);
        work.Fill(kRgb555White);
        mgr.Init(work, kCanvas, &undo);
        panel.AddListener(&mgr);
        mgr.AddListener(&ear);
    }
    void send(FourCC code, uintptr_t param1 = 0) {
        RMessage m(code, param1, 0);
        panel.Broadcast(&m);
    }
    void stroke(std::vector<Point16> points, u32 start = 1000) {
        ASSERT_EQ(mgr.HandleInput(points.front(), start), 1);
        for (size_t i = 1; i + 1 < points.size(); ++i) mgr.TrackInput(points[i], start + u32(i) * 10);
        mgr.EndInput(points.back(), start + u32(points.size()) * 10);
    }
    void chooseUndo() {
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
    }
    static constexpr Rect16 kCanvas{100, 50, 140, 80};
    std::vector<u16> pixels;
    PixelView work;
    mfDispatcher dispatcher;
    Ostrel::UndoManager undo{201, [](const char*) { return std::string(); }};
    CBroadcaster panel;
    RToolMgr mgr;
    GraphicsEar ear;
};

TEST_F(ToolMgrFlow, BornMakesCurrentKildDrops) {
    DotTool tool(kToolIdCircle);
    EXPECT_EQ(mgr.CurrentToolIndex(), -1);
    EXPECT_EQ(mgr.HandleInput(Point16{110, 60}, 0), 0);  // no tool: not taken
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    EXPECT_EQ(mgr.GetCurrentTool(), &tool);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdCircle);
    send(kToolMsgKild);
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
}

TEST_F(ToolMgrFlow, ChngCopiesSettingsAndSizesTheTool) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    ToolSettings settings;
    settings.sizeFactor = 3.0f;
    settings.secondColor = GfxColor::rgb(255, 255, 255);
    send(kToolMsgChng, reinterpret_cast<uintptr_t>(&settings));
    EXPECT_EQ(mgr.Settings().sizeFactor, 3.0f);
    EXPECT_EQ(mgr.Settings().secondColor.red, 255);
    EXPECT_EQ(tool.GetSizeIndex(), 2);
    DotTool next(kToolIdChalk);  // a tool born later takes the settings already chosen
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&next));
    EXPECT_EQ(next.GetSizeIndex(), 2);
}

TEST_F(ToolMgrFlow, StrokeReachesToolInPictureCoordinates) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{105, 55}, {106, 57}, {110, 60}});
    EXPECT_EQ(tool.events, (std::vector<std::string>{"down 5,5 @1000", "move 6,7 @1010", "up 10,10 @1030"}));
    EXPECT_EQ(work.At(6, 7), 0x001F);
    EXPECT_FALSE(mgr.IsTracking());
    EXPECT_EQ(ear.heard, 1);
    EXPECT_EQ(ear.last.left, 105);
    EXPECT_EQ(ear.last.top, 55);
    EXPECT_EQ(ear.last.right, 111);
    EXPECT_EQ(ear.last.bottom, 61);
}

TEST_F(ToolMgrFlow, PressesOutsideTheCanvasAreNotTaken) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    struct Case {
        Point16 p;
        u16 taken;
    };
    for (Case c : {Case{{100, 50}, 1}, Case{{99, 50}, 0}, Case{{139, 79}, 1}, Case{{140, 79}, 0}, Case{{139, 80}, 0}}) {
        EXPECT_EQ(mgr.HandleInput(c.p, 0), c.taken) << c.p.h << "," << c.p.v;
        mgr.EndInput(c.p, 0);
    }
}

TEST_F(ToolMgrFlow, KildDuringAStrokeEndsItFirst) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    ASSERT_EQ(mgr.HandleInput(Point16{101, 51}, 5), 1);
    mgr.TrackInput(Point16{102, 52}, 6);
    send(kToolMsgKild);
    EXPECT_FALSE(mgr.IsTracking());
    EXPECT_EQ(tool.events.back(), "up 2,2 @6");
    EXPECT_EQ(ear.heard, 1);
}

TEST_F(ToolMgrFlow, FinishIsOneUndoStep) {
    DotTool tool(kToolIdCurve);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    mgr.FinishTool();
    EXPECT_EQ(tool.events.back(), "finish");
    EXPECT_EQ(undo.GetCurrentCode(), kPaintUndoCode);
}

TEST_F(ToolMgrFlow, UndoAndRedoRestoreThePictureByteForByte) {
    std::mt19937 random(7);
    for (u16& p : pixels) p = u16(random() & 0x7FFF);
    const std::vector<u16> before = pixels;
    DotTool tool(kToolIdCircle, 0x7C00);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{100, 50}, {120, 60}, {139, 79}});
    const std::vector<u16> after = pixels;
    ASSERT_NE(after, before);
    EXPECT_EQ(undo.GetCurrentCode(), kPaintUndoCode);
    chooseUndo();
    EXPECT_EQ(pixels, before);
    chooseUndo();
    EXPECT_EQ(pixels, after);
    chooseUndo();
    EXPECT_EQ(pixels, before);
    EXPECT_EQ(ear.last.left, kCanvas.left);  // undo shows the whole canvas
    EXPECT_EQ(ear.last.bottom, kCanvas.bottom);
}

TEST_F(ToolMgrFlow, ReleasedUndoLeavesThePictureAlone) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{100, 50}, {101, 51}});
    const std::vector<u16> painted = pixels;
    undo.ReleaseCurrent();
    RMessage late(kPaintUndoCode, 0, 0);
    mgr.HandleMessage(&late, 0);
    EXPECT_EQ(pixels, painted);
}

TEST_F(ToolMgrFlow, AStrokeThatPaintsNothingLeavesNoUndoAndNoGraphics) {
    class Idle : public RTool {
    public:
        Idle() : RTool(kToolIdCircle) {}

    protected:
        void MouseDown(ToolCanvas&, Point16) override {}
    } idle;
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&idle));
    stroke({{100, 50}, {101, 51}});
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
    EXPECT_EQ(ear.heard, 0);
}

TEST_F(ToolMgrFlow, StrokesThatPaintNothingKeepTheEarlierUndo) {
    const std::vector<u16> before = pixels;
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{100, 50}, {110, 55}});
    class Idle : public RTool {
    public:
        Idle() : RTool(kToolIdText) {}

    protected:
        void MouseDown(ToolCanvas&, Point16) override {}
    } idle;
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&idle));
    stroke({{120, 60}, {121, 61}});
    mgr.FinishTool();
    chooseUndo();
    EXPECT_EQ(pixels, before);
}

TEST_F(ToolMgrFlow, ABandTakenAwayAgainIsNoChange) {
    class Band : public RTool {
    public:
        Band() : RTool(kToolIdMarchingAnts) {}

    protected:
        void MouseDown(ToolCanvas& c, Point16 p) override {
            c.Picture().Put(p.h, p.v, 0);
            c.MarkChanged(Rect16{p.h, p.v, i16(p.h + 1), i16(p.v + 1)});
        }
        void MouseUp(ToolCanvas& c, Point16) override { c.Restore(c.Picture().Bounds()); }
    } band;
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&band));
    stroke({{110, 60}, {111, 61}});
    EXPECT_EQ(ear.heard, 0);
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
}

TEST_F(ToolMgrFlow, ScreenListenerHearsLaterGraphics) {
    GraphicsEar panelEar;
    mgr.UpdateScreenRect(kCanvas, &panelEar);
    EXPECT_EQ(panelEar.heard, 1);
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{100, 50}, {101, 51}});
    EXPECT_EQ(panelEar.heard, 2);
}

}  // namespace

namespace {

TEST_F(ToolMgrFlow, ToolDeletedWithoutKildIsDroppedMidStroke) {
    // The pencil panel deletes its pencil without 'kild' before it announces the next one.
    auto old = std::make_unique<DotTool>(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(old.get()));
    ASSERT_EQ(mgr.HandleInput(Point16{101, 51}, 5), 1);
    mgr.TrackInput(Point16{103, 52}, 6);
    old.reset();
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
    EXPECT_FALSE(mgr.IsTracking());
    EXPECT_EQ(work.At(3, 2), 0x001F);  // what it painted stays, as one undo step
    EXPECT_EQ(undo.GetCurrentCode(), kPaintUndoCode);
    EXPECT_EQ(mgr.HandleInput(Point16{110, 60}, 7), 0);
    DotTool next(kToolIdChalk);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&next));
    EXPECT_EQ(mgr.GetCurrentTool(), &next);
}

TEST_F(ToolMgrFlow, ToolOutlivesItsManagerAndAReplacedToolIsForgotten) {
    auto first = std::make_unique<DotTool>(kToolIdCircle);
    {
        RToolMgr other;
        other.Init(work, kCanvas, nullptr);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(first.get()), 0);
        other.HandleMessage(&born, 0);
    }
    DotTool second(kToolIdChalk);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(first.get()));
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&second));
    first.reset();
    EXPECT_EQ(mgr.GetCurrentTool(), &second);
}

TEST_F(ToolMgrFlow, ATakenOverToolLeavesTheOtherManagerIdle) {
    DotTool tool(kToolIdCircle);
    RToolMgr other;
    other.Init(work, kCanvas, nullptr);
    RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool), 0);
    other.HandleMessage(&born, 0);
    ASSERT_EQ(other.HandleInput(Point16{101, 51}, 5), 1);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    EXPECT_EQ(other.GetCurrentTool(), nullptr);
    EXPECT_FALSE(other.IsTracking());
    other.TrackInput(Point16{102, 52}, 6);
    EXPECT_EQ(mgr.GetCurrentTool(), &tool);
}

TEST_F(ToolMgrFlow, NewPictureDropsTheUndoOfTheOldOne) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    stroke({{100, 50}, {110, 55}});
    std::vector<u16> larger;
    PixelView bigger = pixelViewOfBuffer(larger, 80, 60);
    bigger.Fill(0x0123);
    const std::vector<u16> fresh = larger;
    mgr.Init(bigger, Rect16{100, 50, 180, 110}, &undo);
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
    RMessage late(kPaintUndoCode, 0, 0);
    mgr.HandleMessage(&late, 0);
    EXPECT_EQ(larger, fresh);
}

TEST_F(ToolMgrFlow, SizeFactorsOutsideTheSizesPickTheNearestEnd) {
    DotTool tool(kToolIdCircle);
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool));
    const i16 last = i16(ToolParams{}.sizes.size() - 1);
    struct Case {
        float factor;
        i16 index;
    };
    for (Case c : {Case{1.0f, 0}, Case{0.0f, 0}, Case{-1e30f, 0}, Case{float(last + 1), last}, Case{float(last + 2), last},
                   Case{65537.0f, last}, Case{1e30f, last}, Case{std::numeric_limits<float>::infinity(), last},
                   Case{std::numeric_limits<float>::quiet_NaN(), 0}}) {
        ToolSettings settings;
        settings.sizeFactor = c.factor;
        send(kToolMsgChng, reinterpret_cast<uintptr_t>(&settings));
        EXPECT_EQ(tool.GetSizeIndex(), c.index) << c.factor;
    }
}

// A panel may delete the tool from inside its own release (answering what the tool handed
// it): the stroke is still one undo step back to the picture before it.
TEST_F(ToolMgrFlow, ToolDeletedByItsOwnReleaseEndsTheStrokeOnce) {
    class Dropper : public RTool {
    public:
        Dropper() : RTool(kToolIdCutFree) {}

    protected:
        void MouseDown(ToolCanvas& c, Point16 p) override { Dot(c, p); }
        void MouseUp(ToolCanvas& c, Point16 p) override {
            Dot(c, p);
            delete this;
        }

    private:
        static void Dot(ToolCanvas& c, Point16 p) {
            c.Picture().Put(p.h, p.v, 0x03E0);
            c.MarkChanged(Rect16{p.h, p.v, i16(p.h + 1), i16(p.v + 1)});
        }
    };
    const std::vector<u16> before = pixels;
    send(kToolMsgBorn, reinterpret_cast<uintptr_t>(new Dropper()));
    stroke({{101, 51}, {105, 55}});
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(ear.heard, 1);
    EXPECT_EQ(work.At(5, 5), 0x03E0);
    chooseUndo();
    EXPECT_EQ(pixels, before);
}

}  // namespace
