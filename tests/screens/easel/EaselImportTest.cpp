// Pictures brought onto the shown page through the menus, inside the running program with the
// media runtime: Add a Picture places each kind of picture file our runtime writes as a
// picture object, centred, or fitted when it is larger than the canvas; the picture is saved
// with the page. Import Background puts the picture over the whole canvas. A file that is no
// picture is told as a file error and adds nothing.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/menus/MenuCommands.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/QtConnection.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/PixelView.h"

namespace {

using namespace Ostrel;

const u16 kRed = rgb555(255, 0, 0), kBlue = rgb555(0, 0, 255);

// Near enough for a picture that went through JPEG.
bool near(u16 a, u16 b) {
    const auto channel = [](u16 p, int shift) { return int((p >> shift) & 0x1F); };
    for (int shift : {0, 5, 10})
        if (std::abs(channel(a, shift) - channel(b, shift)) > 4) return false;
    return true;
}

u16 pixelOf(const PictureRecord& picture, u32 x, u32 y) {
    const u8* p = picture.pixels.data() + (size_t(y) * picture.width + x) * 4;
    return rgb555(p[0], p[1], p[2]);
}

class EaselImport : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        enterEasel();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(qtConnected());
        page = app->GetCurrentPage();
        ASSERT_NE(page, nullptr);
        const Rect16& local = easel->Canvas()->LocalRect();
        canvas = PageRect{0, 0, local.right, local.bottom};
    }
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }

    // A picture red on its left half and blue on its right, written by the media runtime into
    // the desktop's Pictures, where the import dialog opens.
    void writePicture(const std::string& name, u32 format, i16 width, i16 height) {
        GfxPort* port = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
        ASSERT_NE(port, nullptr);
        ASSERT_EQ(gfxLockPort(port), kErrNone);
        const PixelView view = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(port));
        for (i32 y = 0; y < height; ++y) {
            view.FillSpan(y, 0, width / 2, kRed);
            view.FillSpan(y, width / 2, width, kBlue);
        }
        const std::string path = desktopPictures() + name;
        EXPECT_EQ(imgExportPicture(path, port, Rect16{0, 0, width, height}, format), 0) << name;
        gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    // The name typed into the import dialog that the command opens, and Enter.
    void importThrough(u16 command, const std::string& name) {
        for (const char c : name) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(command);
        settle();
    }
    // A point of the canvas as the window shows it.
    u16 onScreen(i32 x, i32 y) const {
        const Rect16& at = easel->Canvas()->CanvasRect();
        const u32 p = shownPixel(Point16{i16(at.left + x), i16(at.top + y)});
        return rgb555(u8(p >> 16), u8(p >> 8), u8(p));
    }
    std::vector<RBitmapPageObject*> pictures() const {
        std::vector<RBitmapPageObject*> found;
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page->Data().NextObject(&iterator, &object, kTypeBitmap))
            if (object->Id() != kBackgroundId) found.push_back(static_cast<RBitmapPageObject*>(object));
        return found;
    }

    RPage* page = nullptr;
    PageRect canvas;
};

// Add a Picture shows the file picked in its list below the list, placed over the page as the
// page will take it; nothing is placed while the child only looks.
TEST_F(EaselImport, AddAPicturePreviewsThePickedFileOverThePage) {
    writePicture("big.png", fourCC("PNGf"), 200, 150);
    const auto blueShown = [this] {
        const plat::HeadlessWindow& shown = face();
        int count = 0;
        for (i32 y = 0; y < shown.surface().height(); ++y)
            for (i32 x = 0; x < shown.surface().width(); ++x) {
                const u32 p = shown.shownPixel(x, y);
                count += (p & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60 && ((p >> 16) & 0xFF) < 60;
            }
        return count;
    };
    // The dialog's own loop: it shows, the list's first file is picked and looked at, and the
    // dialog ends with nothing chosen once the keys are spent.
    std::vector<int> seen;
    display_.whilePumped = [&] { seen.push_back(blueShown()); };
    // Shift+Tab from the name field to the list, and Down to its first file.
    for (const auto kind : {plat::InputEvent::Kind::KeyDown, plat::InputEvent::Kind::KeyUp}) {
        plat::InputEvent shift;
        shift.kind = kind;
        shift.virtualKey = plat::kVkShift;
        display_.script(mainWindow->GetHandle(), shift);
        if (kind == plat::InputEvent::Kind::KeyDown) queueKey(plat::kVkTab);
    }
    queueKey(plat::kVkDown);
    mainWindow->OnCommand(kCmdAddGraphic);
    display_.whilePumped = nullptr;
    settle();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_GT(*std::max_element(seen.begin(), seen.end()) - seen.front(), 300) << "the picked picture's blue half shows";
    EXPECT_TRUE(pictures().empty());
}

TEST_F(EaselImport, AddAPicturePlacesEveryKindCentredAndTheSaveKeepsThem) {
    const struct {
        const char* name;
        u32 format;
    } cases[] = {{"cat.jpg", fourCC("JPEG")}, {"cat.png", fourCC("PNGf")}, {"cat.gif", fourCC("GIFf")},
                 {"cat.bmp", fourCC("BMPf")}, {"cat.pct", fourCC("PICT")}};
    const i16 width = 40, height = 30;
    const i16 left = i16((canvas.right - width) / 2), top = i16((canvas.bottom - height) / 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writePicture(c.name, c.format, width, height);
        page->Data().SetDirtyState(false);
        importThrough(kCmdAddGraphic, c.name);
        EXPECT_TRUE(alerts().empty());
        const std::vector<RBitmapPageObject*> found = pictures();
        ASSERT_EQ(found.size(), 1u) << "the one before went into the painting as this one came";
        const RBitmapPageObject& added = *found.back();
        EXPECT_EQ(added.rect, (PageRect{left, top, i16(left + width), i16(top + height)}));
        ASSERT_EQ(added.picture.width, width);
        ASSERT_EQ(added.picture.height, height);
        EXPECT_TRUE(near(pixelOf(added.picture, 2, 15), kRed));
        EXPECT_TRUE(near(pixelOf(added.picture, 37, 15), kBlue));
        EXPECT_TRUE(near(onScreen(left + 2, top + 15), kRed)) << "shown at once";
        EXPECT_TRUE(near(onScreen(left + 37, top + 15), kBlue));
        EXPECT_TRUE(page->Data().IsDirty());
        EXPECT_TRUE(easel->Canvas()->IsBusy()) << "being placed";
    }

    importThrough(kCmdSave, "ZOO");
    RPageData reopened;
    const std::string saved = app->GetPaths()->GetPicturesDir() + "\\zoo.tbx";
    ASSERT_EQ(reopened.OpenAndLoad(EnginePath(saved).get()), kErrNone);
    ASSERT_EQ(pictures().size(), 1u);
    for (const RBitmapPageObject* shown : pictures()) {
        RPageObject* kept = nullptr;
        ASSERT_EQ(reopened.FindObject(kTypeBitmap, shown->Id(), &kept), 0);
        EXPECT_EQ(kept->rect, shown->rect);
        EXPECT_EQ(static_cast<RBitmapPageObject*>(kept)->picture, shown->picture);
    }
}

// Centred, a picture as large as the canvas or larger is fitted inside a margin, in proportion.
TEST_F(EaselImport, APictureLargerThanTheCanvasIsFittedIntoIt) {
    const i16 w = canvas.right, h = canvas.bottom;
    writePicture("fits.png", fourCC("PNGf"), w, h);
    writePicture("wide.png", fourCC("PNGf"), i16(w * 2 + 2), h);
    const i16 m = kCentredInset;
    importThrough(kCmdAddGraphic, "fits.png");
    ASSERT_EQ(pictures().size(), 1u);
    const PageRect fits = pictures()[0]->rect;
    EXPECT_EQ(fits.top, m);
    EXPECT_EQ(fits.bottom, h - m);
    EXPECT_NEAR(fits.right - fits.left, w * (h - 2 * m) / h, 1);
    EXPECT_NEAR(fits.left, (w - (fits.right - fits.left)) / 2, 1);
    importThrough(kCmdAddGraphic, "wide.png");
    const std::vector<RBitmapPageObject*> found = pictures();
    ASSERT_EQ(found.size(), 1u);
    const PageRect& wide = found[0]->rect;
    EXPECT_EQ(wide.left, m);
    EXPECT_EQ(wide.right, w - m);
    EXPECT_NEAR(wide.bottom - wide.top, (w - 2 * m) * h / (w * 2 + 2), 1);
    EXPECT_NEAR(wide.top, (h - (wide.bottom - wide.top)) / 2, 1);
}

// The picture covers what was painted; one undo brings the painting back.
TEST_F(EaselImport, ImportBackgroundCoversTheCanvasWithThePicture) {
    writePicture("sky.bmp", fourCC("BMPf"), 64, 48);
    const Rect16& at = easel->Canvas()->CanvasRect();
    drag({i16(at.left + 100), i16(at.top + 100)}, {i16(at.left + 300), i16(at.top + 100)});
    const PixelView& shown = easel->Canvas()->Picture();
    const u16 painted = shown.At(200, 100);
    ASSERT_NE(painted, kRgb555White);
    importThrough(kCmdImportBackground, "sky.bmp");
    EXPECT_TRUE(alerts().empty());
    EXPECT_TRUE(pictures().empty());
    EXPECT_TRUE(near(shown.At(2, shown.height / 2), kRed));
    EXPECT_TRUE(near(shown.At(shown.width - 3, shown.height / 2), kBlue));
    EXPECT_TRUE(near(shown.At(200, 100), 200 < shown.width / 2 ? kRed : kBlue)) << "over the painting";
    EXPECT_TRUE(page->Data().IsDirty());
    click(centreOf(easel->UndoSprite()));
    advance(2000);
    EXPECT_EQ(shown.At(200, 100), painted);
    EXPECT_EQ(shown.At(2, shown.height / 2), kRgb555White);
}

TEST_F(EaselImport, AFileThatIsNoPictureIsAFileErrorAndAddsNothing) {
    std::ofstream(root_ + "/home/Pictures/junk.png") << "not a picture";
    for (u16 command : {kCmdAddGraphic, kCmdImportBackground}) {
        SCOPED_TRACE(command);
        answerAlerts({kAlertAnswerOk});
        importThrough(command, "junk.png");
        const std::vector<mfxAlertRecord> told = alerts();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].style & kAlertIconStop, 0u);
        EXPECT_TRUE(pictures().empty());
        EXPECT_FALSE(easel->Canvas()->ClicksSuspended());
    }
}

}  // namespace
