// The floating clip: what a press lifts, copies or leaves, where the piece goes down however
// the clip ends, and that the whole move is one undo step restoring the picture exactly.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/regions/Regions.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/undo/UndoManager.h"
#include "platform/ui/Messages.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/cut/ClipPixels.h"
#include "tools/cut/RGraphicClip.h"

namespace {

using tooltest::Picture;

class Owner : public CListener {
public:
    u32 HandleMessage(Ostrel::RMessage* m, uintptr_t) override {
        heard.push_back({m->code, m->param2});
        return 0;
    }
    std::vector<std::pair<u32, u16>> heard;
};

// A 120 x 80 picture of coloured stripes on a canvas at (100, 50) of the screen.
class GraphicClip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        for (i32 y = 0; y < picture.view.height; ++y)
            for (i32 x = 0; x < picture.view.width; ++x) picture.view.Put(x, y, u16((x * 97 + y * 31) & 0x7FFF));
        original = picture.pixels;
        mgr.Init(picture.view, kCanvas, &undo);
    }
    void TearDown() override {
        clip.reset();
        mfDispatcher().DispatchQueuedMessages();
        memShutdown();
    }
    // A clip over the screen rectangle, lift pending.
    void Make(const Rect16& shape, bool floating = false) {
        memHandle region = rgnCreate();
        rgnSetRect(region, shape);
        clip = std::make_unique<RGraphicClip>(&owner, floating);
        ASSERT_EQ(clip->Init(&mgr, nullptr, region, kCanvas, nullptr, false), 0);
        rgnDispose(region);
    }
    void DragTo(Point16 from, Point16 to, u32 buttons = 0) {
        ASSERT_EQ(clip->HandleInput(0, from, buttons), 1u);
        clip->HandleMouseMove(to, 0);
        ASSERT_EQ(clip->HandleMouseUp(0, to, 0), 1u);
    }
    u16 At(i32 x, i32 y) const { return picture.view.At(x, y); }
    u16 Was(i32 x, i32 y) const { return original[size_t(y) * 120 + size_t(x)]; }

    static constexpr Rect16 kCanvas{100, 50, 220, 130};
    Picture picture{120, 80};
    std::vector<u16> original;
    Ostrel::UndoManager undo{0, [](const char*) { return std::string(); }};
    RToolMgr mgr;
    Owner owner;
    std::unique_ptr<RGraphicClip> clip;
};

// The piece at picture (10, 10)-(30, 20) moved by (40, 30): how each way of ending the clip
// leaves the picture.
struct Ending {
    const char* name;
    void (*end)(std::unique_ptr<RGraphicClip>& clip);
};

TEST_F(GraphicClip, LiftedPieceGoesDownWhereverTheClipEnds) {
    const Ending endings[] = {
        {"pressed off on the canvas", [](auto& c) { EXPECT_EQ(c->Press({215, 125}, false), 0u); }},
        {"pressed off outside the canvas", [](auto& c) { c->Press({5, 5}, false); }},
        {"deleted", [](auto& c) { c.reset(); }},
        {"dropped", [](auto& c) { c->Drop(false); }},
        {"another object took a press", [](auto& c) { c->HandleNotification({Ostrel::kInputEventMouseDown, -1, 0, 0}); }},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        picture.pixels = original;
        mgr.Init(picture.view, kCanvas, &undo);
        Make({110, 60, 130, 70});
        DragTo({115, 65}, {155, 95});
        ending.end(clip);
        mgr.EndChange();
        for (auto [x, y] : {std::pair{10, 10}, {29, 19}}) EXPECT_EQ(At(x, y), kRgb555White) << "the hole at " << x;
        for (auto [x, y] : {std::pair{50, 40}, {69, 49}}) EXPECT_EQ(At(x, y), Was(x - 40, y - 30)) << "the piece at " << x;
        EXPECT_EQ(At(49, 40), Was(49, 40)) << "beside the piece";
        if (clip) {
            EXPECT_TRUE(clip->IsGone());
            EXPECT_TRUE(rectEqual(clip->GetBounds(), Rect16{0, 0, 0, 0})) << "a clip gone has no place";
        }
        clip.reset();
    }
}

TEST_F(GraphicClip, DroppedWhileDraggedPutsThePieceWhereTheMouseLeftIt) {
    Make({110, 60, 130, 70});
    ASSERT_EQ(clip->HandleInput(0, {115, 65}, 0), 1u);
    clip->HandleMouseMove({125, 85}, 0);
    ASSERT_TRUE(clip->IsDragged());
    clip->Drop(false);
    EXPECT_EQ(At(20, 30), Was(10, 10));
    EXPECT_EQ(At(10, 10), kRgb555White);
}

// Carried by the sprite layer, which follows the pointer of the moment: a busy machine reads
// the release after the pointer has gone on, and the piece still goes down where it came up.
class CarriedClip : public testspr::WithSpriteScreen<GraphicClip> {
protected:
    void SetUp() override {
        GraphicClip::SetUp();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen({0, 0, 240, 140}, GfxColor{}));
        sprSetMouseTransform([](Point16* p) { *p = Point16{215, 125}; });
    }
    void TearDown() override {
        clip.reset();
        sprSetMouseTransform(nullptr);
        WithSpriteScreen::TearDown();
    }
};

TEST_F(CarriedClip, GoesDownWhereTheButtonCameUp) {
    Make({110, 60, 130, 70});
    DragTo({115, 65}, {155, 95});
    EXPECT_TRUE(rectEqual(clip->GetBounds(), Rect16{150, 90, 170, 100}));
}

TEST_F(GraphicClip, CtrlOrAFloatingClipLeavesTheSourceAsItWas) {
    struct Case {
        const char* name;
        bool floating;
        u32 buttons;
        std::vector<std::pair<u32, u16>> told;
    };
    const Case cases[] = {
        {"plain", false, 0, {{kClipMoved, kClipDragBegan}, {kClipMoved, kClipDragEnded}}},
        {"ctrl", false, u32(plat::kMouseControl), {{kClipMoved, kClipDragBegan}, {kClipMoved, kClipDragEnded}}},
        {"floating", true, 0, {{kClipState, 1}, {kClipMoved, kClipDragBegan}, {kClipMoved, kClipDragEnded}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        picture.pixels = original;
        owner.heard.clear();
        Make({110, 60, 130, 70}, c.floating);
        DragTo({115, 65}, {155, 95}, c.buttons);
        EXPECT_EQ(At(10, 10) == kRgb555White, c.name == std::string("plain"));
        EXPECT_EQ(owner.heard, c.told);
        // Picked up again, nothing more is erased where it rests.
        DragTo({155, 95}, {165, 95});
        EXPECT_EQ(At(50, 40), Was(50, 40));
        clip.reset();
    }
}

TEST_F(GraphicClip, PressOutsideTheShapeDropsOnAnOutsideItemItStays) {
    Make({110, 60, 130, 70});
    EXPECT_EQ(clip->Press({135, 65}, false), 0u);
    EXPECT_TRUE(clip->IsGone());
    EXPECT_EQ(owner.heard, (std::vector<std::pair<u32, u16>>{{kClipMoved, kClipPressedOff}, {kClipState, 0}}));
    EXPECT_EQ(picture.pixels, original) << "nothing was lifted";
}

// A press another object took leaves a resting piece where it is only when it fell on an item
// the piece is left for (a panel's button); anywhere else the piece goes down.
TEST_F(GraphicClip, APressElsewhereKeepsThePieceOnlyOverAnOutsideItem) {
    Ostrel::RHotSpotList outside(&owner);
    outside.CreateRectHotSpot(Rect16{300, 10, 340, 40}, 1);
    const struct {
        const char* name;
        Point16 at;
        bool stays;
    } presses[] = {{"on the item", {320, 25}, true}, {"at its corner", {300, 10}, true}, {"beside it", {340, 25}, false}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.name);
        memHandle region = rgnCreate();
        rgnSetRect(region, Rect16{110, 60, 130, 70});
        clip = std::make_unique<RGraphicClip>(&owner, false);
        ASSERT_EQ(clip->Init(&mgr, nullptr, region, kCanvas, &outside, false), 0);
        rgnDispose(region);
        clip->HandleNotification({Ostrel::kInputEventMouseDown, -1, 0, u32(u16(press.at.h)) | (u32(u16(press.at.v)) << 16)});
        EXPECT_EQ(clip->IsGone(), !press.stays);
        clip.reset();
    }
}

TEST_F(GraphicClip, StaysInsideItsDragLimit) {
    Make({110, 60, 130, 70});
    DragTo({115, 65}, {400, -40});
    EXPECT_EQ(clip->GetBounds().right, kCanvas.right);
    EXPECT_EQ(clip->GetBounds().top, kCanvas.top);
    DragTo({215, 55}, {0, 300});
    EXPECT_EQ(clip->GetBounds().left, kCanvas.left);
    EXPECT_EQ(clip->GetBounds().bottom, kCanvas.bottom);
    const Rect16 resting = clip->GetBounds();
    EXPECT_TRUE(clip->ShowsAnts());
    EXPECT_EQ(clip->HandleMouseMove({150, 90}, 0), 0u) << "a resting clip does not follow the mouse";
    EXPECT_EQ(clip->HandleMouseUp(0, {150, 90}, 0), 0u) << "nor takes a release";
    EXPECT_TRUE(rectEqual(clip->GetBounds(), resting));
    clip->SetEnabled(false);
    EXPECT_EQ(clip->Press({115, 125}, false), 0u);
    EXPECT_FALSE(clip->IsGone()) << "a disabled clip ignores presses";
}

TEST_F(GraphicClip, NoChangeNoUndoStep) {
    mgr.EndChange();
    EXPECT_EQ(undo.GetCurrentCode(), 0u) << "nothing was begun";
    Make({110, 60, 130, 70});
    ASSERT_EQ(clip->HandleInput(0, {115, 65}, 0), 1u);
    EXPECT_FALSE(clip->ShowsAnts()) << "no ants while dragged";
    clip->HandleMouseUp(0, {115, 65}, 0);
    clip.reset();
    mgr.EndChange();
    EXPECT_EQ(picture.pixels, original) << "put down where it was lifted";
    EXPECT_EQ(undo.GetCurrentCode(), 0u);
}

TEST_F(GraphicClip, InitRefusesAnEmptyShape) {
    memHandle empty = rgnCreate();
    RGraphicClip refused(&owner, false);
    EXPECT_EQ(refused.Init(&mgr, nullptr, empty, kCanvas, nullptr, false), 1);
    EXPECT_EQ(refused.Init(&mgr, nullptr, 0, kCanvas, nullptr, false), 1);
    rgnDispose(empty);
}

TEST_F(GraphicClip, TheWholeMoveIsOneUndoStepBothWays) {
    Make({110, 60, 130, 70});
    DragTo({115, 65}, {155, 95});
    clip.reset();
    mgr.EndChange();
    const std::vector<u16> moved = picture.pixels;
    undo.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(picture.pixels, original);
    undo.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(picture.pixels, moved);
}

TEST_F(GraphicClip, CutLiftMoveDropGolden) {
    memHandle region = rgnCreate();
    for (i16 y = 0; y < 30; ++y) rgnUnionRect(region, Rect16{i16(130 - y / 2), i16(60 + y), i16(150 + y / 2), i16(61 + y)});
    clip = std::make_unique<RGraphicClip>(&owner, false);
    ASSERT_EQ(clip->Init(&mgr, nullptr, region, kCanvas, nullptr, false), 0);
    rgnDispose(region);
    DragTo({140, 75}, {180, 95});
    clip->Press({105, 55}, false);
    tooltest::expectGolden("cut_lift_move_drop", picture.view);
}

// The mask helpers against a pixel-by-pixel region test, over regions of many rectangles and
// placements that reach past the picture and the limit.
TEST(ClipPixels, MatchAPixelByPixelRegionTest) {
    ASSERT_EQ(memInit(0, 512), kErrNone);
    std::minstd_rand random(7);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        memHandle region = rgnCreate();
        for (int i = 0; i < 12; ++i) {
            const i16 l = i16(random() % 40), t = i16(random() % 40);
            rgnUnionRect(region, Rect16{l, t, i16(l + 1 + random() % 20), i16(t + 1 + random() % 20)});
        }
        const PlacedMask placed{region, Point16{i16(int(random() % 30) - 10), i16(int(random() % 30) - 10)},
                                Rect16{5, 0, 45, 38}};
        Picture source(60, 60), fast(50, 40, kRgb555Black), slow(50, 40, kRgb555Black);
        for (size_t i = 0; i < source.pixels.size(); ++i) source.pixels[i] = u16(i * 13);
        const Point16 sourceAt{-3, 2};
        copyThroughMask(fast.view, source.view, sourceAt, placed);
        for (i16 y = 0; y < 40; ++y)
            for (i16 x = 0; x < 50; ++x) {
                const bool in = rectContainsPoint(placed.limit, {x, y}) &&
                                rgnContainsPoint(region, Point16{i16(x - placed.at.h), i16(y - placed.at.v)}) == 1 &&
                                source.view.Contains(x - sourceAt.h, y - sourceAt.v);
                if (in) slow.view.Put(x, y, source.view.At(x - sourceAt.h, y - sourceAt.v));
            }
        EXPECT_EQ(fast.pixels, slow.pixels);
        const std::vector<u8> bytes = maskBytes(region, 50, 40);
        for (i16 y = 0; y < 40; ++y)
            for (i16 x = 0; x < 50; ++x) ASSERT_EQ(bytes[size_t(y) * 50 + size_t(x)], rgnContainsPoint(region, {x, y})) << x << "," << y;
        rgnDispose(region);
    }
    memShutdown();
}

// The ants walk the outline of an L-shaped mask only, leave the piece inside it and beyond it
// as it was, and move by one pixel a phase.
TEST(ClipPixels, AntsMarchOnTheOutlineOnly) {
    ASSERT_EQ(memInit(0, 512), kErrNone);
    memHandle region = rgnCreate();
    rgnSetRect(region, Rect16{0, 0, 16, 8});
    rgnUnionRect(region, Rect16{0, 8, 6, 14});
    const auto in = [&](i32 x, i32 y) { return rgnContainsPoint(region, {i16(x), i16(y)}) == 1; };
    Picture first(20, 18, 0x1234), second(20, 18, 0x1234);
    marchAnts(first.view, maskOutline(region, 16, 14), PlacedMask{region, {2, 1}}, 0);
    marchAnts(second.view, maskOutline(region, 16, 14), PlacedMask{region, {2, 1}}, 1);
    size_t edges = 0, black = 0;
    for (i32 y = -1; y < 17; ++y)
        for (i32 x = -2; x < 18; ++x) {
            const u16 p = first.view.At(x + 2, y + 1);
            if (!in(x, y) || (in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1))) {
                ASSERT_EQ(p, 0x1234) << x << "," << y;
                continue;
            }
            ++edges;
            black += p == kRgb555Black;
            ASSERT_TRUE(p == kRgb555Black || p == kRgb555White);
            if (y == 0 && x > 0) {
                ASSERT_EQ(second.view.At(x + 1, 1), p) << "marched along the top at " << x;
            }
        }
    EXPECT_GT(black, edges / 4);
    EXPECT_LT(black, edges * 3 / 4);
    // Along each straight edge the ants are dashes two pixels long: pixels two apart differ,
    // across the top and bottom and down the left and right sides.
    const auto at = [&](i32 x, i32 y) { return first.view.At(x + 2, y + 1); };
    for (i32 x = 0; x + 2 < 16; ++x) {
        ASSERT_NE(at(x, 0), at(x + 2, 0)) << "top at " << x;
        if (x + 2 < 6) {
            ASSERT_NE(at(x, 13), at(x + 2, 13)) << "bottom at " << x;
        }
    }
    for (i32 y = 0; y + 2 < 14; ++y) {
        ASSERT_NE(at(0, y), at(0, y + 2)) << "left at " << y;
        if (y + 2 < 8) {
            ASSERT_NE(at(15, y), at(15, y + 2)) << "right at " << y;
        }
    }
    rgnDispose(region);
    memShutdown();
}

}  // namespace
