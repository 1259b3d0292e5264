// Pictures on the running easel's page show on their sprites: a picture brought in through Add
// a Picture shows at once, is drawn scaled into its frame while a corner resizes it and stays
// scaled after the release, goes with a Delete and comes back with Undo.
#include <cctype>

#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/objects/PictureSprite.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/QtConnection.h"
#include "panels/frames/FrameCommands.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RFrameMaker.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/PixelView.h"

namespace {

using namespace Ostrel;

const u16 kPictureRed = rgb555(255, 0, 0), kPictureBlue = rgb555(0, 0, 255), kPictureWhite = rgb555(255, 255, 255);

class PageMediaPictures : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        enterEasel();
        if (HasFatalFailure()) return;
        canvas = easel->Canvas()->CanvasRect();
        frames = easel->Canvas()->FrameMaker();
        ASSERT_NE(frames, nullptr);
        // As the cut and move panel's move mode does: every object of the page is framed.
        frames->BuildObjectFrames(0);
    }
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }

    // A picture with a red left half and a blue right half, written as a PNG file and placed
    // through Add a Picture: centred on the canvas and chosen.
    RPageObject* addHalves(i16 width, i16 height) {
        GfxPort* port = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
        EXPECT_EQ(gfxLockPort(port), kErrNone);
        const PixelView view = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(port));
        for (i32 y = 0; y < height; ++y) {
            view.FillSpan(y, 0, width / 2, kPictureRed);
            view.FillSpan(y, width / 2, width, kPictureBlue);
        }
        const std::string path = desktopPictures() + "halves.png";
        EXPECT_EQ(imgExportPicture(path, port, Rect16{0, 0, width, height}, fourCC("PNGf")), 0);
        gfxUnlockPort(port);
        gfxDisposePort(port);
        for (const char c : std::string("halves.png")) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(kCmdAddGraphic);
        settle();
        return frames->EditedObject();
    }
    u16 shownPixel16(Point16 at) const {
        const u32 p = shownPixel(at);
        return rgb555(u8(p >> 16), u8(p >> 8), u8(p));
    }
    // Where a fraction of the object's width and height lies on the screen.
    Point16 at(const Rect16& r, int xEighths, int yEighths) const {
        return {i16(r.left + (r.right - r.left) * xEighths / 8), i16(r.top + (r.bottom - r.top) * yEighths / 8)};
    }
    Rect16 onScreen(const PageRect& r) const {
        return {i16(r.left + canvas.left), i16(r.top + canvas.top), i16(r.right + canvas.left), i16(r.bottom + canvas.top)};
    }
    // Red in the left half, blue in the right, white just outside on the right and below.
    void expectHalvesAt(const Rect16& r) const {
        EXPECT_EQ(shownPixel16(at(r, 1, 1)), kPictureRed);
        EXPECT_EQ(shownPixel16(at(r, 3, 7)), kPictureRed);
        EXPECT_EQ(shownPixel16(at(r, 5, 1)), kPictureBlue);
        EXPECT_EQ(shownPixel16(at(r, 7, 7)), kPictureBlue);
        // Out to its edges, just inside the outline.
        EXPECT_EQ(shownPixel16({r.left, i16((r.top + r.bottom) / 2)}), kPictureRed);
        EXPECT_EQ(shownPixel16({i16(r.right - 1), i16((r.top + r.bottom) / 2)}), kPictureBlue);
        EXPECT_EQ(shownPixel16({i16(r.right + 1), i16((r.top + r.bottom) / 2)}), kPictureWhite);
        EXPECT_EQ(shownPixel16({i16((r.left + r.right) / 2), i16(r.bottom + 1)}), kPictureWhite);
    }

    Rect16 canvas{};
    RFrameMaker* frames = nullptr;
};

TEST_F(PageMediaPictures, APictureResizedByItsCornerIsDrawnScaledDuringAndAfter) {
    RPageObject* picture = addHalves(40, 30);
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(dynamic_cast<PictureSprite*>(picture->Media()), nullptr) << "shown by its sprite";
    const Rect16 placed = onScreen(picture->rect);
    expectHalvesAt(placed);

    // The bottom-right corner pulled 80 right and 60 down: three times the size.
    REditFrame* frame = frames->EditFrame();
    ASSERT_NE(frame, nullptr);
    const Rect16 outline = frame->GetRect();
    const Point16 corner{outline.right, outline.bottom};
    ASSERT_EQ(frame->BeginResize(corner, kTrackStart), 1);
    frame->DragTo({i16(corner.h + 80), i16(corner.v + 60)});
    settle();
    const Rect16 pulled{placed.left, placed.top, i16(placed.right + 80), i16(placed.bottom + 60)};
    EXPECT_EQ(onScreen(picture->rect).right, placed.right) << "the page takes it at the release";
    expectHalvesAt(pulled);
    frame->EndResize({i16(corner.h + 80), i16(corner.v + 60)}, kTrackStop);
    settle();
    EXPECT_TRUE(rectEqual(onScreen(picture->rect), pulled));
    expectHalvesAt(pulled);

    // Delete takes it from the screen; Undo brings it back at its size.
    key(plat::kVkDelete);
    EXPECT_EQ(shownPixel16(at(pulled, 1, 1)), kPictureWhite);
    EXPECT_EQ(shownPixel16(at(pulled, 7, 7)), kPictureWhite);
    mainWindow->OnCommand(kCmdUndo);
    settle();
    expectHalvesAt(pulled);
}

}  // namespace
