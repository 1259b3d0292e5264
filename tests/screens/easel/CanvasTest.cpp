// The canvas: strokes paint into the page's picture and reach the screen, and the page
// commands act on the current page.
#include <gtest/gtest.h>

#include <functional>

#include "document/import/FileImport.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "framework/dialogs/mfxAlert.h"
#include "document/objects/RNotePageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/storage/ObjectTypes.h"
#include "framework/messaging/mfDispatcher.h"
#include "media/quicktime/TwipsRects.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/CanvasPicture.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/screens/easel/CanvasFixture.h"
#include "tools/handsfree/RTouchless1.h"
#include "tools/pencils/RCircle.h"
#include "tools/shapes/RCurve.h"
#include "tools/shapes/ROPoly.h"

namespace {

using namespace Ostrel;

class Canvas : public easeltest::CanvasFixture {
protected:
    void choosePencil(u8 r, u8 g, u8 b) {
        easel_.paintColor = GfxColor::rgb(r, g, b);
        pencil_.Activate(screen_, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&pencil_), 0);
        canvas_->ToolManager()->HandleMessage(&born, 0);
    }
    void send(u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        RMessage message(code, param1, param2);
        canvas_->HandleMessage(&message, 0);
    }
    RCircle pencil_;
};

TEST_F(Canvas, NewPageIsWhiteAndShownAtTheCanvasPlace) {
    EXPECT_EQ(inPicture(100, 50), kRgb555White);
    EXPECT_EQ(onScreen(100, 50), kRgb555White);
    EXPECT_EQ(onScreen(419, 289), kRgb555White);
    EXPECT_EQ(onScreen(99, 50), kRgb555Black) << "outside the canvas";
    EXPECT_EQ(onScreen(420, 289), kRgb555Black);
    EXPECT_FALSE(easel_.page->Data().IsDirty());
}

TEST_F(Canvas, RecordsItsTopLeftAsTheOriginOfPageRectanglesInTwips) {
    EXPECT_EQ(CanvasOrigin().h, kCanvas.left);
    EXPECT_EQ(CanvasOrigin().v, kCanvas.top);
    TwipsRect twips{};
    RectToTwipsRelative(Rect16{110, 60, 130, 70}, &twips);
    EXPECT_EQ(twips.left, 200u);
    EXPECT_EQ(twips.top, 200u);
    EXPECT_EQ(twips.right, 600u);
    EXPECT_EQ(twips.bottom, 400u);
}

TEST_F(Canvas, PencilStrokePaintsThePictureAndTheScreenAndMakesThePageUnsaved) {
    choosePencil(255, 0, 0);
    drag({150, 100}, {250, 100});
    const u16 red = rgb555(255, 0, 0);
    EXPECT_EQ(inPicture(200, 100), red);
    EXPECT_EQ(onScreen(200, 100), red);
    EXPECT_EQ(onScreen(200, 200), kRgb555White);
    EXPECT_TRUE(easel_.page->Data().IsDirty());
}

// The tools hear their sounds as the user's switch stands at each stroke.
TEST_F(Canvas, ToolsAskTheUsersSoundsSwitch) {
    for (u16 sounds : {u16(0), u16(1), u16(0)}) {
        easel_.settings.toolSounds = sounds;
        EXPECT_EQ(canvas_->ToolSoundsOn(), sounds != 0) << sounds;
    }
}

// A hands-free brush paints where the mouse moves over the canvas with no button down, on the
// picture and the screen, as one undo step once the mouse leaves; the pencil does not, and
// neither does the brush while the canvas is busy.
TEST_F(Canvas, AHandsFreeBrushPaintsWhereTheMouseMovesWithoutAPress) {
    choosePencil(0, 0, 255);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{150, 200}, 0), 0u);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{250, 200}, 0), 0u);
    EXPECT_EQ(inPicture(200, 200), kRgb555White);
    RTouchless1 brush;
    brush.Activate(screen_, -1, kCanvas);
    RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&brush), 0);
    canvas_->ToolManager()->HandleMessage(&born, 0);
    canvas_->SetBusy(1);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{150, 120}, 0), 0u);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{250, 120}, 0), 0u);
    EXPECT_EQ(inPicture(200, 120), kRgb555White);
    canvas_->SetBusy(0);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{150, 100}, 0), 1u);
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{250, 100}, 0), 1u);
    EXPECT_EQ(inPicture(200, 100), rgb555(0, 0, 255));
    EXPECT_EQ(onScreen(200, 100), rgb555(0, 0, 255));
    EXPECT_EQ(canvas_->HandleMouseMove(Point16{500, 100}, 0), 0u);
    EXPECT_FALSE(canvas_->ToolManager()->IsHovering());
    undo_.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(inPicture(200, 100), kRgb555White);
}

TEST_F(Canvas, ClicksOutsideTheCanvasOrWhileBusyAreNotTaken) {
    choosePencil(0, 0, 255);
    struct Case {
        Point16 point;
        u16 busy;
        u32 taken;
    };
    const Case cases[] = {
        {{99, 100}, 0, 0}, {{100, 100}, 0, 1}, {{419, 289}, 0, 1}, {{420, 289}, 0, 0}, {{200, 100}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.h << "," << c.point.v << " busy " << c.busy);
        canvas_->SetBusy(c.busy);
        EXPECT_EQ(canvas_->HandleInput(kInputLeftButton, c.point, 0), c.taken);
        canvas_->HandleMouseUp(kInputLeftButton, c.point, 0);
    }
}

TEST_F(Canvas, UndoOfAStrokeTakesThePaintAway) {
    choosePencil(0, 255, 0);
    drag({150, 150}, {200, 150});
    ASSERT_EQ(inPicture(175, 150), rgb555(0, 255, 0));
    undo_.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(inPicture(175, 150), kRgb555White);
    EXPECT_EQ(onScreen(175, 150), kRgb555White);
}

TEST_F(Canvas, NewPageReplacesThePageAndDropsItsUndo) {
    choosePencil(0, 0, 0);
    drag({150, 150}, {200, 150});
    RPage* before = easel_.page.get();
    const int detached = easel_.detached;
    send(kMsgNewPage, 7);
    ASSERT_NE(easel_.page.get(), nullptr);
    EXPECT_NE(easel_.page.get(), before);
    EXPECT_EQ(easel_.page->Number(), 7);
    EXPECT_EQ(inPicture(175, 150), kRgb555White);
    EXPECT_EQ(easel_.detached, detached + 1);
    EXPECT_TRUE(easel_.attachedNow) << "the panel takes the canvas again";
    undo_.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(inPicture(175, 150), kRgb555White) << "the old page's stroke is not undone onto the new page";
}

// A curve waiting to be bent and a polygon being clicked belong to the page they were begun on:
// the next press on a new page starts afresh instead of finishing them there.
TEST_F(Canvas, UnfinishedShapesEndWhenThePageChanges) {
    RCurve curve(nullptr);
    ROPoly polygon(nullptr);
    struct Case {
        const char* name;
        RDragTool* tool;
    };
    for (const Case& c : {Case{"curve", &curve}, Case{"polygon", &polygon}}) {
        SCOPED_TRACE(c.name);
        c.tool->SetPencil(&pencil_);
        c.tool->Activate(screen_, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(c.tool), 0);
        canvas_->ToolManager()->HandleMessage(&born, 0);
        drag({150, 100}, {300, 100});
        ASSERT_EQ(curve.IsBending() || polygon.Corners().size() == 2, true);
        send(kMsgNewPage, 2);
        EXPECT_FALSE(curve.IsBending());
        EXPECT_TRUE(polygon.Corners().empty());
        drag({250, 200}, {250, 200});
        for (i16 x : {152, 200, 298}) EXPECT_EQ(inPicture(x, 100), kRgb555White) << x;
        RMessage kild(kToolMsgKild, reinterpret_cast<uintptr_t>(c.tool), 0);
        canvas_->ToolManager()->HandleMessage(&kild, 0);
        send(kMsgNewPage, 3);
    }
}

TEST_F(Canvas, StoredPictureHoldsTheCanvasPixelsExactly) {
    for (i32 y = 0; y < canvas_->Picture().height; ++y)
        for (i32 x = 0; x < canvas_->Picture().width; ++x) canvas_->Picture().Put(x, y, u16((x * 37 + y * 11) & 0x7FFF));
    ASSERT_EQ(canvas_->StorePicture(easel_.page.get()), kErrNone);
    std::vector<u16> again(size_t(canvas_->Picture().width) * canvas_->Picture().height);
    PixelView view = pixelViewOfBuffer(again, canvas_->Picture().width, canvas_->Picture().height);
    drawPageBackground(view, easel_.page->Data(), 0);
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) ASSERT_EQ(view.At(x, y), canvas_->Picture().At(x, y)) << x << "," << y;
}

// The pictures placed on the page show on their sprites, over the screen the canvas paints.
class CanvasOnSprites : public testspr::WithSpriteScreen<Canvas> {
protected:
    void SetUp() override {
        Canvas::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(Rect16{0, 0, 800, 600}, GfxColor::rgb(0, 0, 0), true));
    }
    // The window's pixel after a screen update.
    u16 shown(i16 x, i16 y) {
        sprUpdateScreen(1);
        GfxColor c;
        window_->ReadPixel(&c, x, y);
        return rgb555(c.red, c.green, c.blue);
    }
};

TEST_F(CanvasOnSprites, PlacedPictureShowsOverThePaintingAndMakesThePageUnsaved) {
    RBitmapPageObject sticker(kTypeMovableBitmap, 0);
    // Larger than its handles, scaled from its 2 x 2 pixels.
    sticker.rect = {10, 10, 50, 40};
    sticker.picture.width = sticker.picture.height = 2;
    for (int i = 0; i < 4; ++i) sticker.picture.pixels.insert(sticker.picture.pixels.end(), {255, 0, 0, 255});
    sticker.picture.mask.assign(4, 1);
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&sticker));
    EXPECT_EQ(easel_.page->Data().ObjectCount(), 2u);
    EXPECT_TRUE(easel_.page->Data().IsDirty());
    EXPECT_EQ(shown(kCanvas.left + 30, kCanvas.top + 25), rgb555(255, 0, 0));
    EXPECT_EQ(inPicture(kCanvas.left + 30, kCanvas.top + 25), kRgb555White) << "not painted into the picture";
    EXPECT_EQ(easel_.framesGiven, 0) << "pictures need no edit frame";
}

// The painting since the last save lives in the canvas's picture: page commands that draw the
// page again keep it.
TEST_F(Canvas, PageCommandsThatDrawThePageAgainKeepTheUnsavedPainting) {
    struct Case {
        const char* name;
        std::function<void()> command;
    };
    RBitmapPageObject sticker(kTypeMovableBitmap, 0);
    sticker.rect = {200, 150, 202, 152};
    sticker.picture.width = sticker.picture.height = 2;
    sticker.picture.pixels.assign(16, 0);
    sticker.picture.mask.assign(4, 1);
    RTextPageObject text(0);
    text.rect = {0, 0, 40, 20};
    const Case cases[] = {
        {"placing a sticker", [&] { send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&sticker)); }},
        {"an import's redraw", [&] { send(kMsgImportFile, 0, u16(kImportRedrawKind)); }},
        {"cutting a text",
         [&] {
             send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text));
             ASSERT_TRUE(canvas_->Cut());
             CCPObj::Clips().DeleteAll();
         }},
    };
    i16 y = 60;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        choosePencil(255, 0, 0);
        drag({150, y}, {250, y});
        ASSERT_EQ(inPicture(200, y), rgb555(255, 0, 0));
        c.command();
        EXPECT_EQ(inPicture(200, y), rgb555(255, 0, 0));
        EXPECT_EQ(onScreen(200, y), rgb555(255, 0, 0));
        EXPECT_TRUE(easel_.page->Data().IsDirty());
        y = i16(y + 20);
    }
}

// A picture placed past the canvas's edges (its rectangle comes from a file) shows only on the
// canvas: the screen around it keeps the easel's own picture.
TEST_F(CanvasOnSprites, APlacedPictureShowsOnlyInsideTheCanvas) {
    RBitmapPageObject sticker(kTypeMovableBitmap, 0);
    sticker.rect = {-20, -20, 400, 300};
    sticker.picture.width = sticker.picture.height = 2;
    for (int i = 0; i < 4; ++i) sticker.picture.pixels.insert(sticker.picture.pixels.end(), {255, 0, 0, 255});
    sticker.picture.mask.assign(4, 1);
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&sticker));
    const u16 red = rgb555(255, 0, 0);
    EXPECT_EQ(shown(kCanvas.left, kCanvas.top), red);
    EXPECT_EQ(shown(i16(kCanvas.right - 1), i16(kCanvas.bottom - 1)), red);
    for (const Point16 outside : {Point16{i16(kCanvas.left - 1), i16(kCanvas.top + 5)},
                                  Point16{i16(kCanvas.left + 5), i16(kCanvas.top - 1)},
                                  Point16{kCanvas.right, i16(kCanvas.top + 5)},
                                  Point16{i16(kCanvas.left + 5), kCanvas.bottom}})
        EXPECT_EQ(shown(outside.h, outside.v), kRgb555Black) << outside.h << "," << outside.v;
}

// The page the application made before the easel came up takes part in undo like the pages the
// canvas makes: a cut object comes back.
TEST_F(Canvas, ACutOnAPageShownFromElsewhereCanBeUndone) {
    easel_.page = std::make_unique<RPage>(PageSettings{}, std::string(), 1);
    canvas_->RedrawPage(easel_.page.get(), 1);
    RTextPageObject text(0);
    text.rect = {0, 0, 40, 20};
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text));
    const auto texts = [this] {
        RPageObject* found = nullptr;
        return easel_.page->Data().FindObject(kTypeText, -1, &found) == 0 ? 1 : 0;
    };
    ASSERT_EQ(texts(), 1);
    ASSERT_TRUE(canvas_->Cut());
    CCPObj::Clips().DeleteAll();
    ASSERT_EQ(texts(), 0);
    undo_.Undo();
    mfDispatcher().DispatchQueuedMessages();
    EXPECT_EQ(texts(), 1);
}

TEST_F(Canvas, PlacedTextGetsItsEditFrameFromThePanel) {
    RTextPageObject text(0);
    text.rect = {0, 0, 40, 20};
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text));
    EXPECT_EQ(easel_.framesGiven, 1);
}

TEST_F(Canvas, ColourMessageSetsTheCurrentColour) {
    EXPECT_EQ(canvas_->CurrentColor().flag, kGfxColorFlagDefault);
    const GfxColor teal = GfxColor::rgb(0, 128, 128);
    send(kMsgColorChosen, reinterpret_cast<uintptr_t>(&teal));
    EXPECT_EQ(canvas_->CurrentColor().blue, 128);
    EXPECT_EQ(canvas_->CurrentColor().flag, 0);
}

TEST_F(Canvas, CopyLeavesTheClipsAloneForANote) {
    CCPObj::Clips().DeleteAll();
    easel_.page->Data().GetNote();
    EXPECT_FALSE(canvas_->Copy());
    EXPECT_EQ(CCPObj::Clips().Count(), 0u);
    RTextPageObject text(0);
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&text));
    EXPECT_TRUE(canvas_->Copy());
    EXPECT_EQ(CCPObj::Clips().Count(), 1u);
    CCPObj::Clips().DeleteAll();
}

TEST_F(Canvas, TextsAreReadLeftToRightWithOneBlankBetween) {
    RTextPageObject right(1), left(2), below(3);
    right.rect = {200, 10, 260, 30};
    right.text.text = "world";
    left.rect = {10, 10, 60, 30};
    left.text.text = "hello";
    std::vector<RTextPageObject*> texts{&right, &left};
    RCanvas::OrderForReading(texts);
    EXPECT_EQ(RCanvas::JoinForReading(texts), "hello world ");
}

TEST_F(Canvas, ReadingOrderEndsOnEqualAndReversedLists) {
    std::vector<RTextPageObject> store;
    for (i16 i = 0; i < 6; ++i) {
        store.emplace_back(u16(i + 1));
        store.back().rect = {i16(100 - i * 10), i16(i % 2 ? 5 : 50), 0, 0};
        store.back().text.text = std::string(1, char('a' + i));
    }
    std::vector<RTextPageObject*> texts;
    for (auto& t : store) texts.push_back(&t);
    RCanvas::OrderForReading(texts);
    EXPECT_EQ(texts.size(), 6u);
}

}  // namespace

namespace {

using namespace Ostrel;

class CanvasLimits : public easeltest::CanvasFixture {
protected:
    void send(u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        RMessage message(code, param1, param2);
        canvas_->HandleMessage(&message, 0);
    }
    size_t count(FourCC type) {
        size_t n = 0;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (easel_.page->Data().NextObject(&iterator, &object, type)) ++n;
        return n;
    }
};

TEST_F(CanvasLimits, FlashObjectsUpToTheLimitArePlacedAndOneMoreIsRefusedWithPictureFull) {
    const struct {
        u16 limit;
        size_t placed;
    } cases[] = {{0, 0}, {2, 2}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        send(kMsgNewPage, 1);
        easel_.alerts.clear();
        easel_.flashLimit = c.limit;
        for (size_t i = 0; i < 3; ++i) {
            RMediaFilePageObject flash(kTypeFlash, 0);
            send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&flash));
        }
        EXPECT_EQ(count(kTypeFlash), c.placed);
        // Each refusal is told once, by the page-object limit's check.
        ASSERT_EQ(easel_.alerts.size(), 3 - c.placed);
        for (const std::string& key : easel_.alerts) EXPECT_EQ(key, kPictureFullKey);
    }
}

TEST_F(CanvasLimits, OtherObjectsAreNotHeldToTheFlashLimit) {
    easel_.flashLimit = 0;
    RMediaFilePageObject sound(kTypeSound, 0);
    send(kMsgPlaceObject, reinterpret_cast<uintptr_t>(&sound));
    EXPECT_EQ(count(kTypeSound), 1u);
    EXPECT_TRUE(easel_.alerts.empty());
}

TEST_F(CanvasLimits, ImportAsksForTheFileAndACancelledMovieQuestionImportsNothing) {
    // Nothing chosen: nothing imported, the canvas takes clicks again.
    send(kMsgImportFile, 0, 112);
    ASSERT_EQ(easel_.importKinds.size(), 1u);
    EXPECT_EQ(easel_.importKinds[0], kImportSoundOrFlash);
    EXPECT_EQ(count(kTypeSound) + count(kTypeFlash), 0u);
    // A second movie asks first; Cancel ends the import before the file is read.
    ASSERT_NE(easel_.page->Data().AdoptObject(std::make_unique<RMediaFilePageObject>(kTypeMovie, 5)), nullptr);
    easel_.page->Data().SetDirtyState(false);
    easel_.importPath = "T:\\Pictures\\clip.mov";
    easel_.importType = kFileTypeMovie;
    easel_.alertAnswer = kAlertAnswerCancel;
    send(kMsgImportFile, 0, 113);
    ASSERT_EQ(easel_.alerts.size(), 1u);
    EXPECT_EQ(easel_.alerts[0], kReplaceMovieKey);
    EXPECT_EQ(count(kTypeMovie), 1u);
    EXPECT_FALSE(easel_.page->Data().IsDirty());
}

// A file that cannot be read is told as a file error; only a page that refuses the object is
// "full".
TEST_F(CanvasLimits, AnImportOfAFileThatCannotBeReadIsNotToldAsAFullPicture) {
    const struct {
        const char* path;
        FourCC type;
        u16 flashLimit;
        const char* key;
    } cases[] = {
        {"T:\\Pictures\\gone.wav", kFileTypeSound, 65535, "GeneralFileErr"},
        {"T:\\Pictures\\gone.swf", kFileTypeFlash, 65535, "GeneralFileErr"},
        {"T:\\Pictures\\gone.swf", kFileTypeFlash, 0, kPictureFullKey},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        easel_.alerts.clear();
        easel_.importPath = c.path;
        easel_.importType = c.type;
        easel_.flashLimit = c.flashLimit;
        send(kMsgImportFile, 0, 112);
        EXPECT_EQ(easel_.alerts, (std::vector<std::string>{c.key}));
        EXPECT_EQ(count(kTypeSound) + count(kTypeFlash), 0u);
        EXPECT_FALSE(canvas_->ClicksSuspended());
    }
}

// Add a Picture and Import a Background ask their own dialogs for a picture; a file of another
// kind, or a picture nothing here can read (no media runtime), is a file error that adds
// nothing and gives the clicks back; a movie or a Flash file is told to go through Add a Movie.
TEST_F(CanvasLimits, PictureImportsAskForAPictureAndTellWhatTheyCannotRead) {
    const struct {
        u16 kind;
        u16 dialog;
        FourCC type;
        const char* told;
    } cases[] = {{111, kImportPictureObject, kFileTypeSound, kImportFailedKey},
                 {111, kImportPictureObject, kFileTypeJpeg, kImportFailedKey},
                 {111, kImportPictureObject, kFileTypeMovie, kNotAPictureKey},
                 {115, kImportBackground, kFileTypeFlash, kNotAPictureKey},
                 {115, kImportBackground, kFileTypePng, kImportFailedKey}};
    easel_.importPath = "T:\\Pictures\\cat.jpg";
    for (u16 outside : {110, 116}) {
        send(kMsgImportFile, 0, outside);
        EXPECT_TRUE(easel_.importKinds.empty()) << outside;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        easel_.importKinds.clear();
        easel_.alerts.clear();
        easel_.importType = c.type;
        send(kMsgImportFile, 0, c.kind);
        EXPECT_EQ(easel_.importKinds, (std::vector<u16>{c.dialog}));
        EXPECT_EQ(easel_.alerts, (std::vector<std::string>{c.told}));
        EXPECT_EQ(count(kTypeBitmap), 1u) << "the background alone";
        EXPECT_FALSE(canvas_->ClicksSuspended());
    }
}

TEST_F(CanvasLimits, AClickOutsideTheCanvasIsLeftToTheScreen) {
    EXPECT_EQ(canvas_->HandleInput(kInputLeftButton, Point16{10, 10}, 0), 0u);
    EXPECT_EQ(easel_.outsideClicks, 1);
}

}  // namespace
