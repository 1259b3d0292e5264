// The Grab button's panel in the running program: a square cut lifted, dragged and dropped,
// taken back and done again with the undo snail; Ctrl+C and Ctrl+V of a cut piece; a mode
// switch while a piece floats puts it down. Pictures pasted from any panel: a cut piece and
// another program's picture float on the canvas and go down into the painting.
#include <string>
#include <vector>

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/regions/Regions.h"
#include "media/quicktime/QtConnection.h"
#include "framework/input/RHotSpotList.h"
#include "panels/cutmove/RCutMovePanel.h"
#include "panels/pencil/RPencilPanel.h"
#include "panels/frames/RFrameMaker.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/media/PngCoding.h"
#include "platform/keyboard/VirtualKeys.h"
#include "document/objects/RTextPageObject.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "tools/base/RToolMgr.h"
#include "tools/cut/RGraphicClip.h"
#include "tests/app/harness/ProgramEar.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class CutMove : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        enterEasel();
        canvas = easel->Canvas()->CanvasRect();
        paintBlocks();
        click(itemCentre(kEaselToolbarGrab));
        panel = dynamic_cast<RCutMovePanel*>(easel->CurrentPanel());
        ASSERT_NE(panel, nullptr);
    }
    // Coloured blocks over the picture, so that what moves can be seen.
    void paintBlocks() {
        const PixelView& picture = easel->Canvas()->Picture();
        for (i32 y = 0; y < picture.height; ++y)
            for (i32 x = 0; x < picture.width; ++x)
                picture.Put(x, y, ((x / 40 + y / 40) & 1) ? rgb555(u8(x / 3), 60, u8(y / 2)) : kRgb555White);
        easel->Canvas()->PictureChanged(picture.Bounds());
        settle();
        for (i32 y = 0; y < picture.height; ++y) rows.emplace_back(picture.Row(y), picture.Row(y) + picture.width);
    }
    Point16 itemCentre(u32 message) const {
        for (RHotSpotList* list : RHotSpotList::Lists())
            for (int i = 0; i < list->Count(); ++i)
                if (RHotSpotItem* item = list->GetHotSpot(i); item->IsActive() && item->GetMessage() == message) {
                    const Rect16& r = item->GetRect();
                    return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)};
                }
        ADD_FAILURE() << "no item for " << message;
        return {0, 0};
    }
    Point16 on(i16 x, i16 y) const { return {i16(canvas.left + x), i16(canvas.top + y)}; }
    void chooseSquare() {
        const Rect16 cell = panel->GetScroller()->GetCellRect(3);
        click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
        ASSERT_EQ(panel->CutShape(), 3);
    }
    void ctrlKey(u8 virtualKey) {
        for (auto [kind, key] : {std::pair{plat::InputEvent::Kind::KeyDown, plat::kVkControl},
                                 {plat::InputEvent::Kind::KeyDown, virtualKey}, {plat::InputEvent::Kind::KeyUp, virtualKey},
                                 {plat::InputEvent::Kind::KeyUp, plat::kVkControl}}) {
            plat::InputEvent event;
            event.kind = kind;
            event.virtualKey = key;
            display_.script(mainWindow->GetHandle(), event);
            settle(1);
        }
        settle();
    }
    // The region items over the point in the easel's own list (where a resting piece's goes).
    int restingItemsAt(Point16 point) const {
        int found = 0;
        for (int i = 0; i < easel->HotSpots()->Count(); ++i)
            if (RHotSpotItem* item = easel->HotSpots()->GetHotSpot(i); item->GetKind() == kHotSpotRegion && item->Contains(point)) ++found;
        return found;
    }
    u16 now(i32 x, i32 y) const { return easel->Canvas()->Picture().At(x, y); }
    u16 was(i32 x, i32 y) const { return rows[size_t(y)][size_t(x)]; }

    Rect16 canvas{};
    RCutMovePanel* panel = nullptr;
    std::vector<std::vector<u16>> rows;
};

// The strip shows its pictures before and after a shape is chosen; a cut shows its piece inside
// marching ants.
TEST_F(CutMove, APageWithoutObjectsOpensInCutModeWithItsShapesShown) {
    EXPECT_EQ(panel->Mode(), kMsgCutMode);
    EXPECT_NE(panel->GetCurrentTool(), nullptr);
    const Rect16 cell = panel->GetScroller()->GetCellRect(4);
    const Point16 middle{i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)};
    const u32 shown = shownPixel(middle);
    EXPECT_NE(shown, shownPixel({i16(cell.left + 1), i16(cell.top + 1)})) << "a stencil's picture";
    chooseSquare();
    advance(500);
    EXPECT_EQ(shownPixel(middle), shown);
    std::vector<u32> before;
    for (i16 x = 42; x < 78; ++x) before.push_back(shownPixel(on(x, 25)));
    drag(on(40, 10), on(80, 40));
    advance(500);
    ASSERT_NE(panel->FloatingClip(), nullptr);
    const Rect16 piece = panel->FloatingClip()->GetBounds();
    int black = 0;
    for (i16 x = piece.left; x < piece.right; ++x) black += shownPixel({x, piece.top}) == 0;
    EXPECT_GT(black, (piece.right - piece.left) / 4) << "ants along the outline";
    EXPECT_LT(black, (piece.right - piece.left) * 3 / 4);
    for (i16 x = 42; x < 78; ++x) ASSERT_EQ(shownPixel(on(x, 25)), before[size_t(x - 42)]) << "the piece shows through at " << x;
}

TEST_F(CutMove, SquareCutLiftedDraggedDroppedThenUndoneAndRedone) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    ASSERT_NE(panel->FloatingClip(), nullptr);
    EXPECT_EQ(restingItemsAt(on(60, 50)), 1) << "the resting piece's item is the screen's";
    drag(on(60, 50), on(200, 150));
    EXPECT_EQ(restingItemsAt(on(60, 50)), 0);
    EXPECT_EQ(restingItemsAt(on(200, 150)), 1) << "it rests at its new place";
    click(on(400, 350));
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_EQ(restingItemsAt(on(200, 150)), 0);
    EXPECT_EQ(now(31, 31), kRgb555White);
    EXPECT_EQ(now(171, 131), was(31, 31));
    ExpectPicture("cut_move_dropped", canvas);
    click(centreOf(easel->UndoSprite()));
    advance(2000);
    EXPECT_EQ(now(31, 31), was(31, 31));
    EXPECT_EQ(now(171, 131), was(171, 131));
    click(centreOf(easel->UndoSprite()));
    advance(2000);
    EXPECT_EQ(now(31, 31), kRgb555White);
    EXPECT_EQ(now(171, 131), was(31, 31));
}

// Move mode is remembered, and comes back on a page with a text on it only.
TEST_F(CutMove, APageWithATextOpensInTheRememberedMoveMode) {
    for (int again = 0; again < 2; ++again) {
        click(itemCentre(kMsgMoveMode));
        click(itemCentre(kEaselToolbarPencil));
        if (again == 1) break;
        click(itemCentre(kEaselToolbarGrab));
        panel = dynamic_cast<RCutMovePanel*>(easel->CurrentPanel());
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(panel->Mode(), kMsgCutMode) << "the page holds no object";
    }
    RTextPageObject text(0);
    text.rect = {10, 10, 60, 30};
    RMessage place(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text), 0);
    easel->Canvas()->HandleMessage(&place, 0);
    settle();
    click(itemCentre(kEaselToolbarGrab));
    panel = dynamic_cast<RCutMovePanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Mode(), kMsgMoveMode);
    // Move mode drives the canvas's own frame maker: Tab chooses the text, and the panel's
    // cut takes it off the page, undoably.
    RFrameMaker* frames = easel->Canvas()->FrameMaker();
    ASSERT_NE(frames, nullptr);
    ASSERT_NE(panel->FrameMaker(), nullptr);
    EXPECT_EQ(frames->FrameCount(), 1u);
    key(plat::kVkTab);
    EXPECT_TRUE(panel->FrameMaker()->HasCurrentFrame());
    panel->Cut();
    settle();
    EXPECT_EQ(frames->FrameCount(), 0u);
    EXPECT_FALSE(panel->FrameMaker()->HasCurrentFrame());
    click(centreOf(easel->UndoSprite()));
    advance(2000);
    EXPECT_EQ(frames->FrameCount(), 1u);
}

// Each mode shows its own art in the tray: cut mode its strip of shapes, move mode its frame
// telling how things are moved, in the strip's place; neither leaves the other's behind, and the
// pencil panel's frame is its own again afterwards.
TEST_F(CutMove, EachModeShowsItsOwnArtInTheTray) {
    const Rect16 tray{96, 460, 704, 596};
    const struct {
        u32 mode;
        bool strip;
    } steps[] = {{kMsgMoveMode, false}, {kMsgCutMode, true}, {kMsgMoveMode, false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.mode);
        click(itemCentre(step.mode));
        EXPECT_EQ(panel->StripShown(), step.strip);
        const SprSprite* frame = sprFind(panel->MoveFrameSprite());
        ASSERT_EQ(frame != nullptr, !step.strip);
        if (frame) {
            EXPECT_EQ(frame->shape, kMovePanelShape);
        }
    }
    ExpectPicture("cut_move_panel_move_mode", tray);
    const u16 moveFrame = panel->MoveFrameSprite();
    click(itemCentre(kEaselToolbarPencil));
    const SprSprite* left = sprFind(moveFrame);
    EXPECT_TRUE(left == nullptr || left->shape != kMovePanelShape) << "the move frame went with the panel";
    const SprSprite* pencil = sprFind(easel->CurrentPanel()->GetPanelSprite());
    ASSERT_NE(pencil, nullptr);
    EXPECT_EQ(pencil->shape, kPencilPanelShape);
}

// A stencil's piece follows the mouse from the moment it is chosen; its lift copies.
TEST_F(CutMove, StencilFollowsTheMouseAndCopiesWhatItLifts) {
    const Rect16 cell = panel->GetScroller()->GetCellRect(4);
    click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    ASSERT_NE(panel->FloatingClip(), nullptr);
    EXPECT_TRUE(panel->FloatingClip()->IsDragged());
    move(on(210, 170));
    const Rect16 held = panel->FloatingClip()->GetBounds();
    EXPECT_EQ((held.left + held.right) / 2, canvas.left + 210);
    EXPECT_EQ((held.top + held.bottom) / 2, canvas.top + 170);
    drag(on(210, 170), on(310, 170));
    click(on(20, 400));
    EXPECT_EQ(now(310, 170), was(210, 170));
    EXPECT_NE(now(310, 170), was(310, 170));
    EXPECT_EQ(now(210, 170), was(210, 170)) << "the stencil copies";
}

TEST_F(CutMove, UndoWhileThePieceFloatsTakesTheMoveBack) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    drag(on(60, 50), on(200, 150));
    ASSERT_NE(panel->FloatingClip(), nullptr);
    click(centreOf(easel->UndoSprite()));
    advance(2000);
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_EQ(now(31, 31), was(31, 31));
    EXPECT_EQ(now(171, 131), was(171, 131));
}

// However the cut ends while the piece floats, it goes down where it was left and the hole
// stays: a mode switch, another shape, the end-of-cut command, the screen refreshed from the
// picture, a paste.
struct Ending {
    const char* name;
    void (*end)(CutMove& test);
};

class CutEndings : public CutMove, public ::testing::WithParamInterface<Ending> {
public:
    void clickItem(u32 message) { click(itemCentre(message)); }
    void clickCell(int cell) {
        const Rect16 r = panel->GetScroller()->GetCellRect(cell);
        click({i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)});
    }
    void tell(u32 code) {
        RMessage message(code, 0, 0);
        panel->HandleMessage(&message, 0);
        settle();
    }
    void refreshScreen() {
        easel->Canvas()->ToolManager()->UpdateScreenRect(canvas, nullptr);
        settle();
    }
    void pasteWithKeys() { ctrlKey('V'); }
};

TEST_P(CutEndings, KeepTheLiftedPixels) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    drag(on(60, 50), on(200, 150));
    ASSERT_NE(panel->FloatingClip(), nullptr);
    GetParam().end(*this);
    EXPECT_EQ(now(31, 31), kRgb555White);
    EXPECT_EQ(now(171, 131), was(31, 31));
    EXPECT_EQ(now(228, 168), was(88, 68));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CutEndings,
    ::testing::Values(Ending{"move mode", [](CutMove& t) { static_cast<CutEndings&>(t).clickItem(kMsgMoveMode); }},
                      Ending{"another shape", [](CutMove& t) { static_cast<CutEndings&>(t).clickCell(0); }},
                      Ending{"end of cut", [](CutMove& t) { static_cast<CutEndings&>(t).tell(kMsgEndCut); }},
                      Ending{"screen refreshed", [](CutMove& t) { static_cast<CutEndings&>(t).refreshScreen(); }},
                      Ending{"panel closed", [](CutMove& t) { static_cast<CutEndings&>(t).clickItem(kEaselToolbarPencil); }},
                      Ending{"paste", [](CutMove& t) {
                                 auto& test = static_cast<CutEndings&>(t);
                                 test.tell(kMsgCutPanelCopy);
                                 test.pasteWithKeys();
                             }}),
    [](const ::testing::TestParamInfo<Ending>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == ' ') c = '_';
        return name;
    });

TEST_F(CutMove, CopyWantsAPieceInCutModeOnlyAndPasteOurOwnFormat) {
    EXPECT_FALSE(panel->Copy()) << "nothing cut yet";
    EXPECT_FALSE(panel->PasteEnabled());
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    ASSERT_TRUE(panel->Copy());
    EXPECT_TRUE(panel->CanPaste());
    plat::clipboard().setText("another program copied this");
    EXPECT_FALSE(panel->CanPaste()) << "the private format went with the desktop's clipboard";
    EXPECT_FALSE(panel->Paste());
    click(itemCentre(kMsgMoveMode));
    EXPECT_TRUE(panel->Copy()) << "move mode offers paste without a frame maker";
    EXPECT_TRUE(panel->PasteEnabled());
}

// Other programs paste a copied piece as a picture of it, before and after it was lifted.
TEST_F(CutMove, CopyGivesOtherProgramsThePieceAsAPicture) {
    auto* desktop = dynamic_cast<plat::LocalClipboard*>(&plat::clipboard());
    ASSERT_NE(desktop, nullptr);
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    for (const char* when : {"resting", "lifted and moved"}) {
        SCOPED_TRACE(when);
        const Rect16 bounds = panel->FloatingClip()->GetBounds();
        ctrlKey('C');
        plat::media::PictureImage pasted;
        const std::vector<u8>& png = desktop->held().png;
        ASSERT_EQ(plat::media::decodePng(png.data(), png.size(), pasted), plat::media::kMrNoErr);
        ASSERT_EQ(pasted.width, bounds.right - bounds.left);
        ASSERT_EQ(pasted.height, bounds.bottom - bounds.top);
        for (i32 y = 0; y < pasted.height; y += 3)
            for (i32 x = 0; x < pasted.width; x += 3) {
                const u8* p = pasted.pixel(x, y);
                ASSERT_EQ(rgb555(p[0], p[1], p[2]), was(30 + x, 30 + y)) << x << "," << y;
            }
        drag({i16(bounds.left + 5), i16(bounds.top + 5)}, {i16(bounds.left + 105), i16(bounds.top + 45)});
    }
}

// Another program's picture as the desktop's clipboard holds it: a PNG of colours that tell
// each pixel's place.
std::vector<u8> otherProgramsPicture(i32 width, i32 height) {
    plat::media::PictureImage picture;
    if (!picture.allocate(width, height)) return {};
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x) {
            u8* p = picture.pixel(x, y);
            p[0] = u8(x * 255 / width), p[1] = u8(y * 255 / height), p[2] = 128, p[3] = 255;
        }
    picture.opaque = true;
    return plat::media::encodePng(picture);
}

u16 otherProgramsPixel(i32 x, i32 y, i32 width, i32 height) { return rgb555(u8(x * 255 / width), u8(y * 255 / height), 128); }

// Ctrl+V with any panel floats a picture centred on the canvas: the program's own cut piece
// (the cut and move panel floats its own), or another program's picture, whose top-left part
// as large as the canvas is kept, nothing scaled (one larger than the canvas is the paste
// journey's). A press off it puts it down into the painting, and the undo snail takes it back.
// With the media runtime, which reads another program's pictures.
class CutMoveWithRuntime : public CutMove {
protected:
    void SetUp() override {
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        CutMove::SetUp();
    }
    void TearDown() override {
        CutMove::TearDown();
        qtSetSearchFolders({});
    }
};

TEST_F(CutMoveWithRuntime, APictureIsPastedFloatingFromAnyPanel) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    ctrlKey('C');
    const i32 w = canvas.right - canvas.left, h = canvas.bottom - canvas.top;
    struct Case {
        const char* what;
        i32 width, height;  // another program's picture; 0: the cut piece
        u32 panel;
        i32 floatsWidth, floatsHeight;
    };
    for (const Case& c : {Case{"the cut piece over the pencils", 0, 0, kEaselToolbarPencil, 60, 40},
                          Case{"a small picture over the pencils", 50, 30, kEaselToolbarPencil, 50, 30},
                          Case{"a picture one pixel smaller", w - 1, h - 1, kEaselToolbarEraser, w - 1, h - 1},
                          Case{"a picture over the cut panel's piece", 50, 30, kEaselToolbarGrab, 50, 30}}) {
        SCOPED_TRACE(c.what);
        click(itemCentre(c.panel));
        if (c.panel == kEaselToolbarGrab) {
            panel = dynamic_cast<RCutMovePanel*>(easel->CurrentPanel());
            ASSERT_NE(panel, nullptr);
            chooseSquare();
            drag(on(300, 200), on(340, 240));
            ASSERT_NE(panel->FloatingClip(), nullptr);
        }
        if (c.width) {
            plat::ClipboardOffer copied;
            copied.png = otherProgramsPicture(c.width, c.height);
            ASSERT_TRUE(plat::clipboard().place(std::move(copied)));
        }
        paintBlocks();
        ctrlKey('V');
        RGraphicClip* floating = easel->Canvas()->FloatingClip();
        ASSERT_NE(floating, nullptr);
        if (c.panel == kEaselToolbarGrab) {
            EXPECT_EQ(panel->FloatingClip(), nullptr) << "one piece floats at a time";
        }
        const Rect16 at = floating->GetBounds();
        EXPECT_EQ(at.right - at.left, c.floatsWidth);
        EXPECT_EQ(at.bottom - at.top, c.floatsHeight);
        EXPECT_EQ((at.left + at.right) / 2, (canvas.left + canvas.right) / 2);
        EXPECT_EQ(now(at.left - canvas.left + 2, at.top - canvas.top + 2), was(at.left - canvas.left + 2, at.top - canvas.top + 2))
            << "it floats over the painting";
        // Off the canvas: the press puts it down where it floats.
        click({i16(canvas.left - 4), i16(canvas.bottom - 4)});
        EXPECT_EQ(easel->Canvas()->FloatingClip(), nullptr);
        for (const auto& [x, y] : {std::pair{2, 2}, std::pair{c.floatsWidth - 1, c.floatsHeight - 1}}) {
            const i32 px = at.left - canvas.left + x, py = at.top - canvas.top + y;
            EXPECT_EQ(now(px, py), c.width ? otherProgramsPixel(x, y, c.width, c.height) : was(30 + x, 30 + y)) << x << "," << y;
        }
        click(centreOf(easel->UndoSprite()));
        advance(2000);
        EXPECT_EQ(now(at.left - canvas.left + 2, at.top - canvas.top + 2), was(at.left - canvas.left + 2, at.top - canvas.top + 2))
            << "the undo snail takes it back";
    }
    plat::clipboard().setText("another program copied words");
    ctrlKey('V');
    EXPECT_EQ(easel->Canvas()->FloatingClip(), nullptr) << "words are no picture";
}

TEST_F(CutMove, CopyAndPasteACutPieceWithTheKeys) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    // The ants of the cut are gone from the screen, though the cut changed no pixel.
    for (i16 x = 32; x < 88; ++x) ASSERT_EQ(shownPixel(on(x, 70)), shownPixel(on(x, 71))) << x;
    ctrlKey('C');
    EXPECT_TRUE(panel->PasteEnabled());
    ctrlKey('V');
    ASSERT_NE(panel->FloatingClip(), nullptr);
    const Rect16 pasted = panel->FloatingClip()->GetBounds();
    EXPECT_EQ((pasted.left + pasted.right) / 2, (canvas.left + canvas.right) / 2);
    // Held, the piece is carried by the sprite layer in front of everything.
    const Point16 held{i16(pasted.left + 5), i16(pasted.top + 5)};
    script(plat::InputEvent::Kind::MouseDown, held);
    settle(1);
    const SprSprite* piece = sprFind(panel->FloatingClip()->SpriteId());
    EXPECT_TRUE(piece && (piece->dragFlags & kSprDragActive) && sprScreen()->front->behind == piece);
    script(plat::InputEvent::Kind::MouseUp, held);
    settle();
    drag({i16(pasted.left + 5), i16(pasted.top + 5)}, on(305, 35));
    click(on(20, 300));
    EXPECT_EQ(now(300, 30), was(30, 30));
    EXPECT_EQ(now(30, 30), was(30, 30)) << "a copy leaves the source";
    ExpectPicture("cut_move_pasted", canvas);
}


// A straight stroke of the free-hand shape closes on nothing: no piece, but the cut's end is
// heard, and the next stroke around something cuts it. A stencil chosen is heard.
class CutMoveHeard : public CutMove {
protected:
    testapp::ProgramEar ear;
};

TEST_F(CutMoveHeard, AStraightFreeHandStrokeCutsNothingAndSaysSo) {
    const Rect16 cell = panel->GetScroller()->GetCellRect(0);
    click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    ASSERT_EQ(panel->CutShape(), 0);
    const auto loop = [this] { settle(1); };
    ear.UntilQuiet(clock_.clock(), loop);
    const size_t before = ear.Played();
    drag(on(30, 30), on(130, 90));
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_TRUE(ear.HeardSince(clock_.clock(), before, 1000, loop));
    stroke({on(30, 30), on(90, 30), on(90, 80), on(30, 80)});
    EXPECT_NE(panel->FloatingClip(), nullptr);
    // Choosing a stencil is heard too, as its piece comes to the mouse.
    ear.UntilQuiet(clock_.clock(), loop);
    const size_t chosen = ear.Played();
    const Rect16 stencil = panel->GetScroller()->GetCellRect(4);
    click({i16((stencil.left + stencil.right) / 2), i16((stencil.top + stencil.bottom) / 2)});
    EXPECT_TRUE(ear.HeardSince(clock_.clock(), chosen, 1000, loop));
}


// A free-hand piece (a triangle) dropped over the picture elsewhere: inside its shape its own
// pixels, beside it within its bounds what was there, in the picture and on the screen.
TEST_F(CutMove, FreeHandPieceGoesDownThroughItsShapeOnly) {
    const Rect16 cell = panel->GetScroller()->GetCellRect(0);
    click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    stroke({on(20, 20), on(100, 20), on(20, 100)});
    ASSERT_NE(panel->FloatingClip(), nullptr);
    const Point16 from{i16(panel->FloatingClip()->GetBounds().left), i16(panel->FloatingClip()->GetBounds().top)};
    drag(on(30, 30), on(230, 130));
    const Rect16 at = panel->FloatingClip()->GetBounds();
    memHandle shape = rgnCreate();
    rgnCopy(shape, panel->FloatingClip()->Mask());
    click(on(400, 350));
    ASSERT_EQ(panel->FloatingClip(), nullptr);
    const Point16 moved{i16(at.left - from.h), i16(at.top - from.v)};
    int inside = 0, beside = 0;
    for (i16 y = at.top; y < at.bottom; ++y)
        for (i16 x = at.left; x < at.right; ++x) {
            const i32 px = x - canvas.left, py = y - canvas.top;
            if (rgnContainsPoint(shape, Point16{i16(x - at.left), i16(y - at.top)}) == 1) {
                ++inside;
                ASSERT_EQ(now(px, py), was(px - moved.h, py - moved.v)) << x << "," << y;
            } else {
                ++beside;
                ASSERT_EQ(now(px, py), was(px, py)) << x << "," << y;
            }
        }
    rgnDispose(shape);
    EXPECT_GT(inside, 2000);
    EXPECT_GT(beside, 2000);
    // The screen shows the picture as it now is.
    advance(500);
    const u64 shown = PictureHash(at);
    easel->Canvas()->ToolManager()->UpdateScreenRect(canvas, nullptr);
    advance(500);
    EXPECT_EQ(PictureHash(at), shown);
}

// What speaks of a floating piece reaches a panel that has none and changes nothing: an undo
// meant for a piece, a piece's put-down, the end of a cut. The move dropped before stays done.
TEST_F(CutMove, MessagesAboutAPieceWithNoneFloatingChangeNothing) {
    chooseSquare();
    drag(on(30, 30), on(90, 70));
    drag(on(60, 50), on(200, 150));
    click(on(400, 350));
    ASSERT_EQ(panel->FloatingClip(), nullptr);
    for (const u32 code : {kPaintUndoCode, kClipPutDown, kMsgEndCut}) {
        SCOPED_TRACE(code);
        RMessage message(code, 0, 0);
        panel->HandleMessage(&message, 0);
        settle();
        EXPECT_EQ(now(31, 31), kRgb555White);
        EXPECT_EQ(now(171, 131), was(31, 31));
    }
}

// The panel's Cut takes the piece onto the clipboard: one still where it was cut leaves its
// hole; one lifted and moved has left its hole already, and the picture under its new place
// stays as it was.
TEST_F(CutMove, CutLeavesTheHoleAndNothingElse) {
    const struct {
        const char* name;
        i16 left;
        i16 down;
    } cases[] = {{"resting where it was cut", 30, 0}, {"lifted and moved", 300, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        chooseSquare();
        drag(on(c.left, 30), on(i16(c.left + 60), 70));
        ASSERT_NE(panel->FloatingClip(), nullptr);
        if (c.down != 0) drag(on(i16(c.left + 30), 50), on(i16(c.left + 30), i16(50 + c.down)));
        // The panel's own button and the keys reach the same cut.
        if (c.down == 0) {
            EXPECT_TRUE(panel->Cut());
            settle();
        } else {
            ctrlKey('X');
        }
        EXPECT_EQ(panel->FloatingClip(), nullptr);
        EXPECT_TRUE(panel->CanPaste());
        for (const i16 x : {i16(c.left + 1), i16(c.left + 58)}) {
            EXPECT_EQ(now(x, 31), kRgb555White) << "the hole at " << x;
            if (c.down != 0) {
                EXPECT_EQ(now(x, 31 + c.down), was(x, 31 + c.down)) << "under the piece at " << x;
            }
        }
    }
}

// The mode and the shape chosen last come back: cut mode stays cut mode on a page with a text
// on it, with the square chosen again.
TEST_F(CutMove, TheRememberedCutModeAndShapeComeBack) {
    chooseSquare();
    click(itemCentre(kEaselToolbarPencil));
    RTextPageObject text(0);
    text.rect = {10, 10, 60, 30};
    RMessage place(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text), 0);
    easel->Canvas()->HandleMessage(&place, 0);
    settle();
    click(itemCentre(kEaselToolbarGrab));
    panel = dynamic_cast<RCutMovePanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Mode(), kMsgCutMode);
    EXPECT_EQ(panel->CutShape(), 3);
}

}  // namespace
