// Choosing, moving and resizing the page's objects on the running easel: a picture placed
// through Add a Picture, and texts on the page. The mouse and the keys go through the
// platform's input road; the menus' Undo, Copy and Paste through the main window.
#include <algorithm>
#include <cctype>
#include <functional>
#include <fstream>

#include "app/menus/MenuCommands.h"
#include "document/objects/RNotePageObject.h"
#include "document/clipboard/CCPObj.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/input/RHotSpotList.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/QtConnection.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "panels/frames/RTextEditFrame.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/PixelView.h"

namespace {

using namespace Ostrel;

const u16 kFrameRed = rgb555(255, 0, 0), kFrameWhite = rgb555(255, 255, 255);
constexpr u32 kFramesAt12Fps = 0xC0000;

// The sounds the program asks for.
std::vector<u16> gSounds;

class EaselObjectFrames : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        enterEasel();
        if (HasFatalFailure()) return;
        page = app->GetCurrentPage();
        ASSERT_NE(page, nullptr);
        canvas = easel->Canvas()->CanvasRect();
        frames = easel->Canvas()->FrameMaker();
        ASSERT_NE(frames, nullptr);
        // As the cut and move panel's move mode does: every object of the page is framed.
        frames->BuildObjectFrames(0);
        gSounds.clear();
        sprSetSoundHooks({[](const SprSoundRequest& request) {
                              gSounds.push_back(request.soundId);
                              return true;
                          },
                          [](u16) {}, [] {}, [] {}});
    }
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }

    // A red picture placed as the pictures' library places one: centred on the canvas and chosen.
    RPageObject* addPicture(i16 width, i16 height) {
        RBitmapPageObject picture(kTypeBitmap, 0);
        picture.picture.width = u16(width);
        picture.picture.height = u16(height);
        for (i32 i = 0; i < width * height; ++i) picture.picture.pixels.insert(picture.picture.pixels.end(), {255, 0, 0, 255});
        const i16 left = i16((canvas.right - canvas.left - width) / 2), top = i16((canvas.bottom - canvas.top - height) / 2);
        picture.rect = {left, top, i16(left + width), i16(top + height)};
        RMessage place(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&picture), 0);
        easel->Canvas()->HandleMessage(&place, 0);
        settle();
        return frames->EditedObject();
    }
    // A text of the page at `rect` (page coordinates), shown.
    RTextPageObject* addText(const PageRect& rect, const std::string& words) {
        auto* text = static_cast<RTextPageObject*>(page->Data().AddObject(kTypeText, -1, {}, rect));
        text->text.face = "default";
        text->text.size = 14;
        text->text.text = words;
        easel->Canvas()->RedrawPage(page, 1);
        settle();
        return text;
    }
    // The bytes as a file of the folder the command's dialog opens in; the command run with
    // the file's name typed into it.
    void writeFile(u16 folder, const std::string& name, const std::vector<u8>& bytes) {
        std::ofstream(plat::hostPathOfText(app->GetPaths()->BuildPath(folder, false)) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void through(u16 commandId, const std::string& name) {
        for (const char c : name) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(commandId);
        settle();
    }
    Point16 onScreen(i16 x, i16 y) const { return {i16(canvas.left + x), i16(canvas.top + y)}; }
    // A Flash movie brought in from a file lands unchosen; the child chooses it.
    void chooseLastFlash() {
        RPageObject *object = nullptr, *last = nullptr;
        for (u32 at = 0; app->GetCurrentPage()->Data().NextObject(&at, &object, kTypeFlash);) last = object;
        if (last) frames->AddObjectFrame(last, 1);
        settle();
    }
    Point16 middleOf(const RPageObject& object) const {
        return onScreen(i16((object.rect.left + object.rect.right) / 2), i16((object.rect.top + object.rect.bottom) / 2));
    }
    // Where the frame's handle stands: the corner of the frame.
    Point16 handleOf(i16 index) const {
        const Rect16 frame = frames->EditFrame()->GetRect();
        const bool left = index == kHandleTopLeft || index == kHandleBottomLeft;
        const bool top = index == kHandleTopLeft || index == kHandleTopRight;
        return {left ? frame.left : frame.right, top ? frame.top : frame.bottom};
    }
    void command(u16 id) {
        mainWindow->OnCommand(id);
        settle();
    }
    u16 shownPixel16(Point16 at) const {
        const u32 p = shownPixel(at);
        return rgb555(u8(p >> 16), u8(p >> 8), u8(p));
    }
    size_t count(FourCC type) const {
        size_t n = 0;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page->Data().NextObject(&iterator, &object, type))
            if (!(type == kTypeBitmap && object->Id() == kBackgroundId)) ++n;
        return n;
    }

    RPage* page = nullptr;
    Rect16 canvas{};
    RFrameMaker* frames = nullptr;
};

static PageRect shifted(PageRect r, i16 dx, i16 dy) { return {i16(r.left + dx), i16(r.top + dy), i16(r.right + dx), i16(r.bottom + dy)}; }

// Each kind moves and resizes by exactly what the pointer moved; Undo takes it back to the
// rectangle it had and Redo to the one it took, however often the object went back and forth.
TEST_F(EaselObjectFrames, MoveAndEveryHandleResizeUndoAndRedoExactlyForEachKind) {
    struct Kind {
        const char* name;
        std::function<RPageObject*()> place;
        // Where a press moves the frame, relative to the frame's top-left.
        Point16 grip;
        // An animation's and a movie's frames have their play and step buttons at two corners.
        bool everyCorner;
    };
    const Kind kinds[] = {
        {"picture", [&] { return addPicture(60, 40); }, {30, 20}, true},
        {"text", [&] {
             RTextPageObject* text = addText({100, 100, 260, 160}, "Hi");
             click(middleOf(*text));
             return static_cast<RPageObject*>(text);
         }, {80, 5}, true},
        {"animation", [&] {
             writeFile(kFolderLibSounds, "hop.swf", mediatest::animationBytes(4, kFramesAt12Fps, 64, 48));
             through(kCmdImportSound, "hop.swf");
             chooseLastFlash();
             return frames->EditedObject();
         }, {32, 24}, false},
        {"movie", [&] {
             const std::string path = plat::hostPathOfText(app->GetPaths()->BuildPath(kFolderLibMovies, false)) + "/ball.mov";
             EXPECT_FALSE(mediatest::movieBytes(path).empty());
             through(kCmdAddMovie, "ball.mov");
             return frames->EditedObject();
         }, {17, 13}, false},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        RPageObject* object = kind.place();
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(frames->EditedObject(), object);
        const PageRect before = object->rect;

        // Moved there and back twice: the size never changes.
        const Rect16 frame = frames->EditFrame()->GetRect();
        const Point16 grip{i16(frame.left + kind.grip.h), i16(frame.top + kind.grip.v)};
        drag(grip, {i16(grip.h + 37), i16(grip.v + 23)});
        EXPECT_EQ(object->rect, shifted(before, 37, 23));
        for (int i = 0; i < 2; ++i) {
            drag({i16(grip.h + 37), i16(grip.v + 23)}, grip);
            drag(grip, {i16(grip.h + 37), i16(grip.v + 23)});
        }
        EXPECT_EQ(object->rect, shifted(before, 37, 23));
        command(kCmdUndo);
        EXPECT_EQ(object->rect, before);
        command(kCmdUndo);
        EXPECT_EQ(object->rect, shifted(before, 37, 23));

        // Each corner follows the pointer; the others stay.
        const struct {
            i16 handle, dx, dy;
            PageRect grown;
        } corners[] = {{kHandleTopLeft, -12, -8, {-12, -8, 0, 0}},
                       {kHandleBottomLeft, 9, 7, {9, 0, 0, 7}},
                       {kHandleTopRight, 11, 6, {0, 6, 11, 0}},
                       {kHandleBottomRight, 14, 10, {0, 0, 14, 10}}};
        for (const auto& c : corners) {
            if (!kind.everyCorner && (c.handle == kHandleBottomLeft || c.handle == kHandleTopRight)) continue;
            SCOPED_TRACE(c.handle);
            const PageRect was = object->rect;
            const Point16 from = handleOf(c.handle);
            drag(from, {i16(from.h + c.dx), i16(from.v + c.dy)});
            const PageRect want{i16(was.left + c.grown.left), i16(was.top + c.grown.top),
                                i16(was.right + c.grown.right), i16(was.bottom + c.grown.bottom)};
            EXPECT_EQ(object->rect, want);
            command(kCmdUndo);
            EXPECT_EQ(object->rect, was);
            command(kCmdUndo);
            EXPECT_EQ(object->rect, want);
        }
        // A press and release in one place changes nothing.
        const PageRect kept = object->rect;
        click(handleOf(kHandleBottomRight));
        EXPECT_EQ(object->rect, kept);
    }
}

TEST_F(EaselObjectFrames, TheMovedPictureShowsAtItsNewPlaceWithItsFrame) {
    RPageObject* picture = addPicture(60, 40);
    ASSERT_NE(picture, nullptr);
    const PageRect before = picture->rect;
    drag(middleOf(*picture), {i16(middleOf(*picture).h - 150), i16(middleOf(*picture).v - 100)});
    EXPECT_EQ(picture->rect, shifted(before, -150, -100));
    EXPECT_EQ(shownPixel16(middleOf(*picture)), kFrameRed);
    EXPECT_EQ(shownPixel16(onScreen(i16((before.left + before.right) / 2), i16((before.top + before.bottom) / 2))),
              kFrameWhite);
    EXPECT_TRUE(page->Data().IsDirty());
    // While it is dragged the picture follows the pointer; the page takes it at the release.
    REditFrame* dragged = frames->EditFrame();
    const PageRect placed = picture->rect;
    dragged->BeginMove(middleOf(*picture));
    dragged->DragTo({i16(middleOf(*picture).h + 100), middleOf(*picture).v});
    settle();
    EXPECT_EQ(picture->rect, placed);
    EXPECT_EQ(shownPixel16({i16(middleOf(*picture).h + 100), middleOf(*picture).v}), kFrameRed);
    dragged->EndMove({});
    settle();
    ASSERT_NE(sprFind(dragged->FrameSpriteId()), nullptr);
    EXPECT_FALSE(sprFind(dragged->FrameSpriteId())->flags & kSprPickedUp) << "put down with the move";
    EXPECT_EQ(picture->rect, shifted(placed, 100, 0));
    drag(middleOf(*picture), {i16(middleOf(*picture).h - 100), middleOf(*picture).v});
    EXPECT_EQ(picture->rect, placed);

    const Rect16 frame = frames->EditFrame()->GetRect();
    ExpectPicture("moved_sticker", Rect16{i16(frame.left - 10), i16(frame.top - 10), i16(frame.right + 10),
                                          i16(frame.bottom + 10)});
}

// Choosing an object is no change: Undo still takes back the stroke painted before.
TEST_F(EaselObjectFrames, ChoosingAnObjectLeavesTheStrokeBeforeItToUndo) {
    RPageObject* picture = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    click(onScreen(5, 5));
    EXPECT_EQ(frames->EditFrame(), nullptr) << "the bare canvas lets the picture go";
    drag(onScreen(20, 20), onScreen(120, 20));
    const PixelView& painting = easel->Canvas()->Picture();
    ASSERT_NE(painting.At(70, 20), kFrameWhite);
    const PageRect placed = picture->rect;
    click(middleOf(*picture));
    EXPECT_EQ(frames->EditedObject(), picture);
    command(kCmdUndo);
    EXPECT_EQ(painting.At(70, 20), kFrameWhite);
    EXPECT_EQ(picture->rect, placed);
}

// A move ends where the picture was when the pointer left the canvas.
TEST_F(EaselObjectFrames, AMoveEndsWhenThePointerLeavesTheCanvas) {
    RPageObject* picture = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    const PageRect placed = picture->rect;
    const Point16 from = middleOf(*picture);
    // Eight steps to 80 pixels left of the canvas: the last inside is the one before it leaves.
    const i16 to = i16(canvas.left - 80);
    i16 lastInside = from.h;
    for (int i = 1; i <= 8; ++i) {
        const i16 h = i16(from.h + (to - from.h) * i / 8);
        if (h < canvas.left) break;
        lastInside = h;
    }
    drag(from, {to, from.v});
    EXPECT_EQ(picture->rect, shifted(placed, i16(lastInside - from.h), 0));
    EXPECT_EQ(gEditFrameDragging, 0);
}

// The panels that edit objects of one kind make records of that kind only.
TEST_F(EaselObjectFrames, BuildingTheRecordsOfOneKindChoosesTheFirst) {
    RTextPageObject* first = addText({20, 20, 140, 60}, "one");
    addText({200, 20, 320, 60}, "two");
    RPageObject* picture = addPicture(40, 30);
    ASSERT_EQ(frames->EditedObject(), picture);
    EXPECT_EQ(frames->BuildObjectFrames(kTypeText), 2u);
    EXPECT_EQ(frames->EditedObject(), first);
    key(plat::kVkTab);
    key(plat::kVkTab);
    EXPECT_EQ(frames->FrameCount(), 2u) << "the records keep to their kind";
    EXPECT_EQ(frames->EditedObject(), first);
    EXPECT_EQ(frames->BuildObjectFrames(kTypeMovableBitmap), 0u);
    EXPECT_EQ(frames->EditFrame(), nullptr);
    EXPECT_EQ(frames->BuildObjectFrames(0), 3u);
    EXPECT_EQ(frames->EditedObject(), first);
}

// The limits, both sides of each: a move keeps 10 pixels of the frame over the canvas, a
// resize keeps the frame 30 wide and 10 high and its corner on the canvas.
TEST_F(EaselObjectFrames, MovesAndResizesStopAtTheirLimits) {
    RPageObject* picture = addPicture(60, 40);
    ASSERT_NE(picture, nullptr);
    REditFrame* frame = frames->EditFrame();
    const Rect16 limit = frame->MoveLimit();
    EXPECT_EQ(limit.right, canvas.right + (62 - 10));
    EXPECT_EQ(limit.top, canvas.top - (42 - 10));
    const auto moveBy = [&](i16 dx, i16 dy) {
        const Rect16 at = frame->GetRect();
        const Point16 from{i16(at.left + 5), i16(at.top + 5)};
        frame->BeginMove(from);
        frame->DragTo({i16(from.h + dx), i16(from.v + dy)});
        frame->EndMove({i16(from.h + dx), i16(from.v + dy)});
    };
    const i16 top = frame->GetRect().top;
    moveBy(i16(limit.right - frame->GetRect().right), 0);
    EXPECT_EQ(frame->GetRect().right, limit.right);
    moveBy(1, 0);
    EXPECT_EQ(frame->GetRect().right, limit.right);
    EXPECT_EQ(frame->GetRect().top, top);
    moveBy(i16(limit.left - frame->GetRect().left), 0);
    EXPECT_EQ(frame->GetRect().left, limit.left);
    moveBy(-1, 0);
    EXPECT_EQ(frame->GetRect().left, limit.left);
    EXPECT_EQ(frame->GetRect().top, top);
    const i16 left = frame->GetRect().left;
    moveBy(0, i16(limit.top - frame->GetRect().top));
    EXPECT_EQ(frame->GetRect().top, limit.top);
    moveBy(0, -1);
    EXPECT_EQ(frame->GetRect().top, limit.top);
    moveBy(0, i16(limit.bottom - frame->GetRect().bottom + 1));
    EXPECT_EQ(frame->GetRect().bottom, limit.bottom);
    EXPECT_EQ(frame->GetRect().left, left);

    // Back in the middle of the canvas.
    picture->rect = {200, 200, 260, 240};
    const auto resizeBy = [&](i16 handle, i16 dx, i16 dy) {
        const Rect16 at = frame->GetRect();
        const bool left = handle == kHandleTopLeft || handle == kHandleBottomLeft;
        const bool top = handle == kHandleTopLeft || handle == kHandleTopRight;
        const Point16 from{left ? at.left : at.right, top ? at.top : at.bottom};
        ASSERT_EQ(frame->BeginResize(from, kTrackStart), 1);
        frame->DragTo({i16(from.h + dx), i16(from.v + dy)});
        frame->EndResize({i16(from.h + dx), i16(from.v + dy)}, kTrackStop);
    };
    // The frame is 62 x 42: 32 narrower and 32 lower leaves 30 x 10.
    resizeBy(kHandleBottomRight, -32, -32);
    EXPECT_EQ(picture->rect, (PageRect{200, 200, 228, 208}));
    resizeBy(kHandleBottomRight, -1, -1);
    EXPECT_EQ(picture->rect, (PageRect{200, 200, 228, 208}));
    resizeBy(kHandleTopLeft, 1, 1);
    EXPECT_EQ(picture->rect, (PageRect{200, 200, 228, 208}));
    // The corner goes as far as the canvas and no further.
    picture->rect = {200, 200, 260, 240};
    // The frame lies one pixel outside the picture.
    resizeBy(kHandleTopLeft, -199, -199);
    EXPECT_EQ(picture->rect, (PageRect{1, 1, 260, 240}));
    resizeBy(kHandleTopLeft, -1, -1);
    EXPECT_EQ(picture->rect, (PageRect{1, 1, 260, 240}));
    const i16 width = i16(canvas.right - canvas.left), height = i16(canvas.bottom - canvas.top);
    resizeBy(kHandleBottomRight, i16(width - 261), i16(height - 241));
    EXPECT_EQ(picture->rect, (PageRect{1, 1, i16(width - 1), i16(height - 1)}));
    resizeBy(kHandleBottomRight, 1, 1);
    EXPECT_EQ(picture->rect, (PageRect{1, 1, i16(width - 1), i16(height - 1)}));
    EXPECT_EQ(gEditFrameDragging, 0);
}

TEST_F(EaselObjectFrames, ATextKeepsOneLineOfItsFontAndRefusesASizeItDoesNotFit) {
    RTextPageObject* text = addText({100, 100, 300, 200}, "The quick brown fox jumps over the lazy dog again and again");
    click(middleOf(*text));
    auto* frame = dynamic_cast<RTextEditFrame*>(frames->EditFrame());
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->IsEditable());
    // The move bar stands above the text: a press on the text does not move it, one on the bar does.
    const PageRect before = text->rect;
    const Rect16 at = frame->GetRect();
    EXPECT_EQ(at.top, canvas.top + before.top - kMoveBarHeight - 1);
    drag(middleOf(*text), {i16(middleOf(*text).h + 20), middleOf(*text).v});
    EXPECT_EQ(text->rect, before);
    const auto inkIn = [&](const PageRect& r) {
        int dark = 0;
        for (i16 y = r.top; y < r.bottom; ++y)
            for (i16 x = r.left; x < r.right; ++x) dark += (shownPixel(onScreen(x, y)) & 0xFF) < 0x80;
        return dark;
    };
    EXPECT_GT(inkIn({before.left, before.top, i16(before.left + 12), before.bottom}), 0) << "the text shows";
    drag({i16(at.left + 50), i16(at.top + 5)}, {i16(at.left + 70), i16(at.top + 5)});
    EXPECT_EQ(text->rect, shifted(before, 20, 0));
    EXPECT_EQ(inkIn({before.left, before.top, i16(before.left + 12), before.bottom}), 0) << "and moved with its words";

    // Too low for the words: refused, with the refusal sound.
    gSounds.clear();
    const Point16 corner = handleOf(kHandleBottomRight);
    drag(corner, {corner.h, i16(corner.v - 80)});
    EXPECT_EQ(text->rect, shifted(before, 20, 0));
    EXPECT_NE(std::find(gSounds.begin(), gSounds.end(), kFrameRefusalSound), gSounds.end());

    // A short text gets as small as one line of its font, and no smaller.
    text->text.text = "a";
    drag(handleOf(kHandleBottomRight), {i16(handleOf(kHandleBottomRight).h - 300), i16(handleOf(kHandleBottomRight).v - 300)});
    const i16 least = i16(text->rect.bottom - text->rect.top);
    EXPECT_GT(least, 14);
    EXPECT_LT(least, 60);
    EXPECT_GT(text->rect.right - text->rect.left, 5);
    EXPECT_TRUE(frame->Fits(Rect16{0, 0, 100, least}));
    // A word made larger needs its taller line.
    text->text.runs = {{0, 1, "", 72, false, 0, kRunStateNotSet, kRunStateNotSet, kRunStateNotSet}};
    EXPECT_FALSE(frame->Fits(Rect16{0, 0, 100, least}));
}

TEST_F(EaselObjectFrames, TabChoosesTheNextObjectAndWrapsDeleteTakesAPictureOffUndoably) {
    RTextPageObject* text = addText({20, 20, 140, 60}, "one");
    RPageObject* first = addPicture(30, 30);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(frames->FrameCount(), 2u);
    // With two objects, Tab goes from one to the other and back.
    const i16 start = frames->CurrentIndex();
    key(plat::kVkTab);
    EXPECT_EQ(frames->CurrentIndex(), (start + 1) % 2);
    key(plat::kVkTab);
    EXPECT_EQ(frames->CurrentIndex(), start);

    // Delete on a text being edited is the text's own; on a picture it takes the picture off.
    while (frames->EditedObject() != text) key(plat::kVkTab);
    key(plat::kVkDelete);
    EXPECT_EQ(count(kTypeText), 1u);
    while (frames->EditedObject() != first) key(plat::kVkTab);
    const PageRect place = first->rect;
    const Point16 middle = middleOf(*first);
    key(plat::kVkDelete);
    EXPECT_EQ(count(kTypeBitmap), 0u);
    EXPECT_EQ(shownPixel16(middle), kFrameWhite);
    EXPECT_EQ(frames->FrameCount(), 1u);
    command(kCmdUndo);
    ASSERT_EQ(count(kTypeBitmap), 1u);
    EXPECT_EQ(shownPixel16(middle), kFrameRed);
    RPageObject* back = nullptr;
    page->Data().FindObject(kTypeBitmap, first->Id(), &back);
    EXPECT_EQ(back->rect, place);
    EXPECT_EQ(frames->FrameCount(), 2u);
    command(kCmdUndo);
    EXPECT_EQ(count(kTypeBitmap), 0u);

    // With one object, Tab is taken and changes nothing.
    const i16 current = frames->CurrentIndex();
    EXPECT_EQ(frames->HandleKey(plat::kVkTab), 1u);
    EXPECT_EQ(frames->FrameCount(), 1u);
    EXPECT_EQ(frames->CurrentIndex(), current);
}

TEST_F(EaselObjectFrames, ThreeObjectsTabRoundAndBackToTheFirst) {
    for (i16 i = 0; i < 3; ++i) addText({i16(20 + 150 * i), 20, i16(140 + 150 * i), 60}, "word");
    click(middleOf(*frames->Frame(0).Object()));
    ASSERT_EQ(frames->CurrentIndex(), 0);
    for (i16 want : {1, 2, 0}) {
        key(plat::kVkTab);
        EXPECT_EQ(frames->CurrentIndex(), want);
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(frames->Frame(i).IsVisible(), i16(i) != want) << "only the chosen one edited";
    }
    // A click that the screen's hot-spot list takes on another's hot spot chooses that one.
    const Point16 second = middleOf(*frames->Frame(1).Object());
    easel->HotSpots()->HandleInput(kInputLeftButton, second, 0);
    easel->HotSpots()->HandleMouseUp(kInputLeftButton, second, 0);
    settle();
    EXPECT_EQ(frames->CurrentIndex(), 1);
}

// A chosen picture's handles are white squares with a two-pixel black rim at each corner; a
// text edited in place has its move bar, in the bar's colour, right under the frame's top line.
TEST_F(EaselObjectFrames, HandlesAndTheMoveBarLookAsTheyShould) {
    RPageObject* picture = addPicture(60, 40);
    ASSERT_NE(picture, nullptr);
    const Rect16 frame = frames->EditFrame()->GetRect();
    for (i16 index : {kHandleTopLeft, kHandleTopRight, kHandleBottomLeft, kHandleBottomRight}) {
        SCOPED_TRACE(index);
        const bool left = index == kHandleTopLeft || index == kHandleBottomLeft;
        const bool top = index == kHandleTopLeft || index == kHandleTopRight;
        const i16 h = i16((left ? frame.left : frame.right) - kHandleSize / 2);
        const i16 v = i16((top ? frame.top : frame.bottom) - kHandleSize / 2);
        const Rect16 handle{h, v, i16(h + kHandleSize), i16(v + kHandleSize)};
        EXPECT_EQ(shownPixel16({i16(handle.left + 1), i16(handle.top + 1)}), rgb555(0, 0, 0));
        EXPECT_EQ(shownPixel16({i16(handle.left + 2), i16(handle.top + 2)}), kFrameWhite);
        EXPECT_EQ(shownPixel16({i16(handle.right - 3), i16(handle.bottom - 3)}), kFrameWhite);
        EXPECT_EQ(shownPixel16({i16(handle.right - 2), i16(handle.bottom - 2)}), rgb555(0, 0, 0));
    }
    // The outline runs one pixel outside the picture on every side, between its handles.
    const i16 midX = i16((frame.left + frame.right) / 2), midY = i16((frame.top + frame.bottom) / 2);
    const struct {
        const char* side;
        Point16 on, in, out;
    } sides[] = {{"left", {frame.left, midY}, {i16(frame.left + 1), midY}, {i16(frame.left - 1), midY}},
                 {"right", {i16(frame.right - 1), midY}, {i16(frame.right - 2), midY}, {frame.right, midY}},
                 {"top", {midX, frame.top}, {midX, i16(frame.top + 1)}, {midX, i16(frame.top - 1)}},
                 {"bottom", {midX, i16(frame.bottom - 1)}, {midX, i16(frame.bottom - 2)}, {midX, frame.bottom}}};
    for (const auto& side : sides) {
        SCOPED_TRACE(side.side);
        EXPECT_EQ(shownPixel16(side.on), rgb555(0, 0, 0));
        EXPECT_EQ(shownPixel16(side.in), kFrameRed);
        EXPECT_EQ(shownPixel16(side.out), kFrameWhite);
    }
    RTextPageObject* text = addText({40, 200, 200, 260}, "Hello");
    click(middleOf(*text));
    ASSERT_EQ(frames->EditedObject(), text);
    const Rect16 textFrame = frames->EditFrame()->GetRect();
    const i16 x = i16((textFrame.left + textFrame.right) / 2);
    EXPECT_EQ(shownPixel16({x, textFrame.top}), rgb555(0, 0, 0)) << "the frame's top line";
    for (i16 y = i16(textFrame.top + 1); y <= textFrame.top + kMoveBarHeight; ++y)
        EXPECT_EQ(shownPixel16({x, y}), rgb555(0x50, 0, 0xFF)) << y;
    EXPECT_NE(shownPixel16({x, i16(textFrame.top + kMoveBarHeight + 1)}), rgb555(0x50, 0, 0xFF)) << "the text's own";
}
// Backspace deletes as Delete does; Cut takes the picture off and Paste puts it back, away
// from where it was; the panels' remove command lets the last remaining object be chosen.
TEST_F(EaselObjectFrames, BackspaceCutAndTheRemoveCommand) {
    RPageObject* first = addPicture(30, 30);
    ASSERT_NE(first, nullptr);
    key(plat::kVkBack);
    EXPECT_EQ(count(kTypeBitmap), 0u);

    RPageObject* cut = addPicture(30, 30);
    const PageRect centred = cut->rect;
    command(kCmdCut);
    EXPECT_EQ(count(kTypeBitmap), 0u);
    EXPECT_EQ(frames->EditFrame(), nullptr);
    command(kCmdPaste);
    ASSERT_EQ(count(kTypeBitmap), 1u);
    EXPECT_EQ(frames->EditedObject()->rect, shifted(centred, 10, 10));

    RTextPageObject* text = addText({20, 20, 140, 60}, "word");
    RPageObject* pasted = frames->EditedObject();
    ASSERT_NE(pasted, nullptr);
    RMessage remove(kMsgRemoveObjectFrame, reinterpret_cast<uintptr_t>(pasted), 0);
    frames->HandleMessage(&remove, 0);
    ASSERT_EQ(frames->FrameCount(), 1u);
    EXPECT_EQ(frames->EditedObject(), text);
    RMessage add(kMsgAddObjectFrame, reinterpret_cast<uintptr_t>(pasted), 1);
    frames->HandleMessage(&add, 0);
    EXPECT_EQ(frames->FrameCount(), 2u);
    EXPECT_EQ(frames->EditedObject(), pasted);
    RMessage erase(kMsgDeleteObject, 0, 0);
    frames->HandleMessage(&erase, 0);
    EXPECT_EQ(count(kTypeBitmap), 0u);
    EXPECT_EQ(frames->PasteCount(), 0u);
}

// Tab leaves an emptied text behind without a frame of its own.
TEST_F(EaselObjectFrames, TabPassesOverAnEmptiedText) {
    RTextPageObject* empty = addText({20, 20, 140, 60}, "");
    addText({200, 20, 320, 60}, "two");
    addText({400, 20, 520, 60}, "three");
    click(middleOf(*empty));
    ASSERT_EQ(frames->EditedObject(), empty);
    key(plat::kVkTab);
    EXPECT_EQ(frames->FrameCount(), 2u);
    EXPECT_NE(frames->EditedObject(), empty);
}

// Pasting a picture copied where it was placed (centred): the pastes land 10, 20 and 30
// pixels down and to the right of the middle, each undoable.
TEST_F(EaselObjectFrames, CopyAndPasteStepDownAndToTheRight) {
    RPageObject* picture = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    const PageRect centred = picture->rect;
    command(kCmdCopy);
    for (i16 step : {10, 20, 30}) {
        command(kCmdPaste);
        RPageObject* pasted = frames->EditedObject();
        ASSERT_NE(pasted, picture);
        EXPECT_EQ(pasted->rect, shifted(centred, step, step));
        EXPECT_EQ(static_cast<RBitmapPageObject*>(pasted)->picture, static_cast<RBitmapPageObject*>(picture)->picture);
    }
    EXPECT_EQ(count(kTypeBitmap), 4u);
    command(kCmdUndo);
    EXPECT_EQ(count(kTypeBitmap), 3u);
    EXPECT_EQ(frames->FrameCount(), 3u);
    command(kCmdUndo);
    EXPECT_EQ(count(kTypeBitmap), 4u);
    EXPECT_EQ(frames->FrameCount(), 4u);
}

// A page that takes no more objects refuses the paste, tells the child, and keeps nothing.
TEST_F(EaselObjectFrames, APasteOntoAFullPageAddsNothing) {
    RPageObject* picture = addPicture(20, 20);
    ASSERT_NE(picture, nullptr);
    command(kCmdCopy);
    while (page->Data().ObjectCount() < kPageIndexMaxObjects)
        ASSERT_NE(page->Data().AddObject(kTypeNote, -1, {}, {}), nullptr);
    answerAlerts({kAlertAnswerOk});
    command(kCmdPaste);
    EXPECT_EQ(alerts().size(), 1u);
    EXPECT_EQ(count(kTypeBitmap), 1u);
    EXPECT_EQ(frames->EditedObject(), picture);
}

// A merged object leaves no frame behind: Tab, a redraw and Undo afterwards find only what
// stands on the page (ASan tells a frame left pointing at the merged object).
TEST_F(EaselObjectFrames, FlattenTakesTheFrameFirstAndIsUndoable) {
    RTextPageObject* text = addText({20, 20, 140, 60}, "stay");
    RPageObject* picture = addPicture(40, 30);
    RPageObject* other = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(other, nullptr);
    const Point16 middle = middleOf(*other);
    EXPECT_FALSE(enabled(kCmdFlattenText)) << "texts merge from the panels that choose them";
    EXPECT_FALSE(enabled(kCmdFlattenStickers)) << "pictures are no stickers";
    frames->MergeEdited();
    EXPECT_EQ(frames->EditFrame(), nullptr);
    EXPECT_EQ(count(kTypeBitmap), 1u);
    key(plat::kVkTab);
    settle();
    EXPECT_EQ(frames->FrameCount(), 2u);
    EXPECT_EQ(shownPixel16(middle), kFrameRed);
    EXPECT_EQ(easel->Canvas()->Picture().At(middle.h - canvas.left, middle.v - canvas.top), kFrameRed);
    command(kCmdUndo);
    EXPECT_EQ(count(kTypeBitmap), 2u);
    EXPECT_EQ(frames->FrameCount(), 3u);
    EXPECT_EQ(easel->Canvas()->Picture().At(middle.h - canvas.left, middle.v - canvas.top), kFrameWhite);

    gSounds.clear();
    RMessage all(kMsgFlattenAll, kTypeText, 0);
    frames->HandleMessage(&all, 0);
    settle();
    EXPECT_EQ(count(kTypeText), 0u);
    EXPECT_NE(std::find(gSounds.begin(), gSounds.end(), kFlattenSound), gSounds.end());
    key(plat::kVkTab);
    settle();
    EXPECT_EQ(frames->FrameCount(), 2u);
    for (size_t i = 0; i < frames->FrameCount(); ++i) EXPECT_NE(frames->Frame(i).Object(), text);
    RMessage stickers(kMsgFlattenAll, kTypeFlash, 0);
    frames->HandleMessage(&stickers, 0);
    EXPECT_EQ(count(kTypeBitmap), 2u) << "pictures are no stickers";
}

// Where the pastes of one copy land: centred on the canvas, each next one 10 further down and
// to the right; the first already 10 away when the copy itself lies within 10 of the middle
// both across and down (both sides of that limit).
TEST_F(EaselObjectFrames, PastesStartAtTheMiddleUnlessTheCopyLiesThere) {
    const struct {
        const char* name;
        i16 dx, dy, first;
    } cases[] = {{"on the middle", 0, 0, 10},
                 {"near across", i16(kPasteNear - 1), 0, 10},
                 {"away across", kPasteNear, 0, 0},
                 {"near up", 0, i16(1 - kPasteNear), 10},
                 {"away up", 0, i16(-kPasteNear), 0},
                 {"away both", 80, -60, 0}};
    RPageObject* picture = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    const PageRect centred = picture->rect;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        picture->rect = shifted(centred, c.dx, c.dy);
        RMessage choose(kMsgAddObjectFrame, reinterpret_cast<uintptr_t>(picture), 1);
        frames->HandleMessage(&choose, 0);
        ASSERT_EQ(frames->EditedObject(), picture);
        command(kCmdCopy);
        for (const i16 step : {c.first, i16(c.first + kPasteStep)}) {
            command(kCmdPaste);
            ASSERT_NE(frames->EditedObject(), picture);
            EXPECT_EQ(frames->EditedObject()->rect, shifted(centred, step, step));
        }
    }
    EXPECT_EQ(count(kTypeBitmap), 1 + 2 * std::size(cases));
}

// With nothing chosen, Edit > Copy takes the object placed last, so Paste gives a second one.
TEST_F(EaselObjectFrames, WithNothingChosenCopyTakesTheObjectPlacedLast) {
    RPageObject* picture = addPicture(40, 30);
    ASSERT_NE(picture, nullptr);
    RMessage letGo(kMsgRemoveObjectFrame, reinterpret_cast<uintptr_t>(picture), 0);
    frames->HandleMessage(&letGo, 0);
    ASSERT_EQ(frames->EditedObject(), nullptr);
    command(kCmdCopy);
    command(kCmdPaste);
    EXPECT_EQ(count(kTypeBitmap), 2u);
}

// Flatten one merges the chosen object only when it is of the kind asked: a picture placed on
// the page is no sticker.
TEST_F(EaselObjectFrames, FlattenOneMergesTheChosenObjectOfTheKindAskedOnly) {
    const struct {
        const char* name;
        bool text;
        FourCC kind;
        bool merged;
    } cases[] = {{"picture as a sticker", false, kTypeFlash, false},
                 {"picture as a text", false, kTypeText, false},
                 {"text as a text", true, kTypeText, true},
                 {"text as a sticker", true, kTypeFlash, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RPageObject* object = nullptr;
        if (c.text) {
            object = addText({300, 40, 420, 80}, "merge");
            click(middleOf(*object));
        } else {
            object = addPicture(30, 30);
        }
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(frames->EditedObject(), object);
        const FourCC type = object->Type();
        const size_t before = count(type);
        RMessage one(kMsgFlattenOne, c.kind, 0);
        frames->HandleMessage(&one, 0);
        settle();
        EXPECT_EQ(count(type), c.merged ? before - 1 : before);
        EXPECT_EQ(frames->EditFrame() == nullptr, c.merged);
    }
}

// What a frame was not given it does not start: a resize away from its handles or with none
// held, the stop of a resize or of a move never begun, a drag with nothing held. None
// changes the object or leaves the frame dragging.
TEST_F(EaselObjectFrames, AFrameStartsNothingItWasNotGiven) {
    RPageObject* picture = addPicture(60, 40);
    ASSERT_NE(picture, nullptr);
    REditFrame* frame = frames->EditFrame();
    const PageRect before = picture->rect;
    const Rect16 at = frame->GetRect();
    const Point16 inside{i16(at.left + 20), i16(at.top + 20)};
    const Point16 away{i16(inside.h + 30), inside.v};
    const struct {
        const char* name;
        std::function<u16()> act;
    } tries[] = {
        {"a resize off the handles", [&] { return frame->BeginResize(inside, kTrackStart); }},
        {"a track with no handle held", [&] { return frame->TrackHandle(inside, kTrackStart); }},
        {"the stop of no resize", [&] { return frame->EndResize(away, kTrackStop); }},
        {"the end of no move", [&] {
             frame->EndMove(away);
             return u16(frame->IsDragging());
         }},
        {"a drag with nothing held", [&] {
             frame->DragTo(away);
             return u16(!rectEqual(frame->DragRect(), at));
         }},
        {"nothing to frame", [&] { return u16(frame->Attach(nullptr, 1) != 1); }},
    };
    for (const auto& t : tries) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.act(), 0);
        EXPECT_EQ(picture->rect, before);
        EXPECT_EQ(gEditFrameDragging, 0);
        EXPECT_FALSE(frame->IsResizing());
        EXPECT_EQ(frame->Object(), picture);
    }
    // While the frame is moved, Tab and Delete are not the frame maker's.
    frame->BeginMove(inside);
    for (const u8 key : {plat::kVkTab, plat::kVkDelete}) {
        EXPECT_EQ(frames->HandleKey(key), 0u) << int(key);
        EXPECT_EQ(count(kTypeBitmap), 1u);
        EXPECT_EQ(frames->EditedObject(), picture);
    }
    frame->EndMove(inside);
    EXPECT_EQ(picture->rect, before);
}

// A paste with nothing of ours on the clipboard, or with a copy of a kind that has no frame,
// adds nothing.
TEST_F(EaselObjectFrames, APasteOfNothingFramedAddsNothing) {
    RPageObject* picture = addPicture(30, 30);
    ASSERT_NE(picture, nullptr);
    const size_t objects = page->Data().ObjectCount();
    RNotePageObject note(0);
    PageClip noteClip(note);
    const struct {
        const char* name;
        std::function<void()> fill;
        const Clip* given;
    } cases[] = {{"an empty clipboard", [] { CCPObj::Clips().DeleteAll(); }, nullptr},
                 {"a note given", [] { CCPObj::Clips().DeleteAll(); }, &noteClip}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.fill();
        RMessage paste(kMsgPasteObject, reinterpret_cast<uintptr_t>(c.given), 0);
        frames->HandleMessage(&paste, 0);
        settle();
        EXPECT_EQ(page->Data().ObjectCount(), objects);
        EXPECT_EQ(frames->EditedObject(), picture);
        EXPECT_TRUE(alerts().empty());
    }
}

// An animation's frame has a play button hanging off its bottom-left corner and a step button
// off its top-right one: a black rim, a pale yellow face and a black mark. An animation's marks
// are play's triangle and step's triangle and bar; a one-picture animation's buttons flip it,
// their marks an upright and a level bar.
TEST_F(EaselObjectFrames, TheMediaButtonsLookAsTheyShould) {
    const u16 black = rgb555(0, 0, 0), face = rgb555(255, 255, 204);
    struct Mark {
        i16 x, y;
        bool inked;
    };
    const struct {
        const char* name;
        u16 pictures;
        std::vector<Mark> play, step;
    } kinds[] = {
        {"animation", 4,
         {{0, 0, true}, {1, 1, false}, {3, 8, false}, {4, 8, true}, {11, 8, true}, {12, 8, false}, {4, 4, true}, {4, 3, false}},
         {{0, 0, true}, {1, 1, false}, {4, 8, true}, {8, 8, true}, {9, 8, false}, {10, 8, true}, {11, 8, true}, {12, 8, false}}},
        {"one picture", 1,
         {{6, 8, false}, {7, 8, true}, {8, 8, true}, {9, 8, false}, {7, 3, true}, {7, 2, false}},
         {{8, 6, false}, {8, 7, true}, {8, 8, true}, {8, 9, false}, {4, 7, true}, {3, 7, false}, {11, 7, true}, {12, 7, false}}},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::string name = std::string(kind.pictures == 1 ? "one" : "many") + ".swf";
        writeFile(kFolderLibSounds, name, mediatest::animationBytes(kind.pictures, kFramesAt12Fps, 64, 48));
        through(kCmdImportSound, name);
        chooseLastFlash();
        ASSERT_NE(frames->EditFrame(), nullptr);
        const Rect16 frame = frames->EditFrame()->GetRect();
        const auto look = [&](Point16 corner, const std::vector<Mark>& marks) {
            for (const Mark& m : marks)
                EXPECT_EQ(shownPixel16({i16(corner.h + m.x), i16(corner.v + m.y)}), m.inked ? black : face) << m.x << "," << m.y;
        };
        look({frame.left, frame.bottom}, kind.play);
        look({frame.right, frame.top}, kind.step);
    }
}

}  // namespace
