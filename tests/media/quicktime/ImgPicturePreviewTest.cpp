// The import dialog's preview: the placed picture over the page's picture, drawn into a window.
#include <cstring>
#include <memory>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"
#include "tests/media/quicktime/QtTestSupport.h"

using namespace qttest;

namespace {

enum Shade { kNothing, kRedShade, kBlueShade, kGreenShade, kWhiteShade, kOther };

const char* nameOf(Shade s) {
    static const char* kNames[] = {"nothing", "red", "blue", "green", "white", "other"};
    return kNames[s];
}

// A 160 x 100 window on a headless display; pictures are JPEG blocks of ports our tests fill.
class ImgPicturePreview : public QtRuntimeTest {
protected:
    void SetUp() override {
        QtRuntimeTest::SetUp();
        plat::setDisplayDriver(&display_);
        window_ = plat::createWindow({"Preview", "preview", plat::defaultWindowProcedure});
        face_ = display_.openWindow(window_, "preview", 160, 100);
    }
    void TearDown() override {
        for (memHandle h : handles_) memFreeHandle(h);
        face_.reset();
        plat::destroyWindow(window_);
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
        plat::setDisplayDriver(nullptr);
        QtRuntimeTest::TearDown();
    }
    // A JPEG picture block of a w x h picture, its left half red and its right half blue, or
    // all of one colour.
    std::vector<u8> pictureBlock(i16 w, i16 h, const GfxColor& left, const GfxColor& right) {
        GfxPort* port = gfxNewOffscreenPort(u16(w), u16(h), 16, nullptr);
        gfxLockPort(port);
        gfxSetPort(port);
        gfxFillRect(Rect16{0, 0, i16(w / 2), h}, left, 0);
        gfxFillRect(Rect16{i16(w / 2), 0, w, h}, right, 0);
        gfxSetPort(nullptr);
        u32 size = 0;
        const memHandle handle = imgBitmapToJPEG(port, nullptr, Rect16{0, 0, w, h}, &size, 0, 16);
        gfxUnlockPort(port);
        gfxDisposePort(port);
        EXPECT_NE(handle, 0);
        const u8* data = static_cast<const u8*>(memLockHandle(handle));
        std::vector<u8> bytes(data, data + size);
        memUnlockHandle(handle);
        memFreeHandle(handle);
        return bytes;
    }
    std::vector<u8> halves(i16 w, i16 h) {
        return pictureBlock(w, h, GfxColor::rgb(255, 0, 0), GfxColor::rgb(0, 0, 255));
    }
    memHandle handleOf(const std::vector<u8>& bytes) {
        const memHandle handle = memAllocHandle(u32(bytes.size()));
        std::memcpy(memLockHandle(handle), bytes.data(), bytes.size());
        memUnlockHandle(handle);
        handles_.push_back(handle);
        return handle;
    }
    Shade shown(i32 x, i32 y) const {
        const u32 p = static_cast<plat::HeadlessWindow&>(*face_).shownPixel(x, y);
        const int r = int(p >> 16) & 255, g = int(p >> 8) & 255, b = int(p) & 255;
        if (p == 0) return kNothing;
        if (r > 200 && g > 200 && b > 200) return kWhiteShade;
        if (r > 150 && g < 80 && b < 80) return kRedShade;
        if (b > 150 && r < 80 && g < 80) return kBlueShade;
        if (g > 150 && r < 80 && b < 80) return kGreenShade;
        return kOther;
    }
    void expectShades(std::initializer_list<std::tuple<i32, i32, Shade>> points) const {
        for (auto [x, y, shade] : points)
            EXPECT_STREQ(nameOf(shown(x, y)), nameOf(shade)) << "at " << x << ", " << y;
    }
    void preview(const std::vector<u8>& block, const Rect16& picture, const Rect16& previewRect, const Rect16& page,
                 u32 mode, memHandle pagePicture = 0) {
        imgImportPictureFile(block.data(), u32(block.size()), window_, picture, previewRect, page, mode, pagePicture);
    }

    plat::HeadlessDisplay display_;
    plat::WindowHandle window_ = plat::kNoWindow;
    std::unique_ptr<plat::DisplayWindow> face_;
    std::vector<memHandle> handles_;
};

// The page is 200 x 100 and the preview (10, 10)-(110, 60) shows it at half size.
constexpr Rect16 kPage{0, 0, 200, 100};
constexpr Rect16 kPreview{10, 10, 110, 60};

}  // namespace

TEST_F(ImgPicturePreview, NaturalModeShowsThePictureInTheCornerAtThePreviewScaleAndOneTooBigOverTheWhole) {
    // 40 x 20 on the page is 20 x 10 in the preview's top-left corner: (10, 10)-(30, 20).
    preview(halves(40, 20), Rect16{0, 0, 40, 20}, kPreview, kPage, kImgPlaceNatural);
    expectShades({{12, 12, kRedShade}, {18, 18, kRedShade}, {22, 12, kBlueShade}, {28, 18, kBlueShade},
                  {32, 12, kWhiteShade}, {12, 22, kWhiteShade}, {108, 58, kWhiteShade}, {9, 30, kNothing}});
    // Wider than the page, it is stretched over the page, as the page gets it.
    preview(halves(400, 20), Rect16{0, 0, 400, 20}, kPreview, kPage, kImgPlaceNatural);
    expectShades({{12, 12, kRedShade}, {55, 58, kRedShade}, {65, 12, kBlueShade}, {108, 58, kBlueShade},
                  {9, 30, kNothing}, {110, 30, kNothing}, {50, 60, kNothing}});
}

TEST_F(ImgPicturePreview, CentredModeShrinksThePlacementByThePreviewScaleOverAWhitePage) {
    // 40 x 20 on the page is 20 x 10 in the preview, centred: (50, 30)-(70, 40).
    preview(halves(40, 20), Rect16{0, 0, 40, 20}, kPreview, kPage, kImgPlaceCentre);
    expectShades({{51, 31, kRedShade}, {58, 38, kRedShade}, {61, 31, kBlueShade}, {68, 38, kBlueShade},
                  {48, 35, kWhiteShade}, {72, 35, kWhiteShade}, {60, 28, kWhiteShade}, {60, 42, kWhiteShade},
                  {12, 12, kWhiteShade}, {108, 58, kWhiteShade}, {110, 30, kNothing}});
}

TEST_F(ImgPicturePreview, FittedModeGrowsAPictureToThePreviewOverThePagesPicture) {
    // 40 x 20 grown into 100 x 50 fills it; the page's green shows nowhere.
    const memHandle page = handleOf(pictureBlock(200, 100, GfxColor::rgb(0, 255, 0), GfxColor::rgb(0, 255, 0)));
    preview(halves(40, 20), Rect16{0, 0, 40, 20}, kPreview, kPage, kImgPlaceFit, page);
    expectShades({{12, 12, kRedShade}, {108, 58, kBlueShade}, {9, 30, kNothing}});
    // A tall picture is fitted by its height and centred: the page's picture shows beside it.
    preview(halves(20, 40), Rect16{0, 0, 20, 40}, kPreview, kPage, kImgPlaceFit, page);
    expectShades({{12, 30, kGreenShade}, {108, 30, kGreenShade}, {50, 30, kRedShade}, {68, 30, kBlueShade},
                  {110, 30, kNothing}});
}

TEST_F(ImgPicturePreview, TilesRunFromThePreviewsTopLeftAndStopAtItsEdges) {
    // A 40 x 20 tile on the page is a 20 x 10 cell; the preview (10, 10)-(105, 55) cuts the last
    // column and row.
    preview(halves(40, 20), Rect16{0, 0, 40, 20}, Rect16{10, 10, 105, 55}, kPage, kImgPlaceTile);
    for (i32 column : {10, 30, 50, 70, 90}) {
        SCOPED_TRACE(column);
        expectShades({{column + 2, 12, kRedShade}, {column + 12, 12, kBlueShade}, {column + 2, 52, kRedShade}});
    }
    expectShades({{104, 12, kBlueShade}, {106, 12, kNothing}, {50, 56, kNothing}, {9, 12, kNothing}});
}

TEST_F(ImgPicturePreview, ABlockThatIsNoPictureDrawsNothing) {
    std::vector<u8> block = halves(40, 20);
    block.resize(30);
    preview(block, Rect16{0, 0, 40, 20}, kPreview, kPage, kImgPlaceNatural);
    expectShades({{12, 12, kNothing}, {60, 30, kNothing}});
}
