// Picture files read into page pictures: placed in a target anywhere on the page, expanded
// into RGBA pixels, refused for targets no picture record takes and for files no importer
// reads. The files are our runtime's own exports.
#include <cstring>

#include "document/import/FileImport.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/quicktime/ImgPagePicture.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace {

using namespace qttest;
using Ostrel::PageRect;

class ImgPagePicture : public QtRuntimeTest {
protected:
    // A PNG of our runtime, its left half red and its right half blue.
    void writeHalves(const std::string& name, i16 w, i16 h) {
        GfxPort* port = gfxNewOffscreenPort(u16(w), u16(h), 16, nullptr);
        ASSERT_NE(port, nullptr);
        gfxLockPort(port);
        gfxSetPort(port);
        gfxFillRect(Rect16{0, 0, i16(w / 2), h}, GfxColor::rgb(255, 0, 0), 0);
        gfxFillRect(Rect16{i16(w / 2), 0, w, h}, GfxColor::rgb(0, 0, 255), 0);
        gfxSetPort(nullptr);
        ASSERT_EQ(imgExportPicture(file(name), port, Rect16{0, 0, w, h}, fourCC("PNGf")), 0);
        gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    // The pixel's channels, each snapped to none (0) or full (2); 1 for what lies between.
    static std::vector<int> pixel(const PictureRecord& p, u32 x, u32 y) {
        const u8* at = p.pixels.data() + (size_t(y) * p.width + x) * 4;
        std::vector<int> out;
        for (int i = 0; i < 4; ++i) out.push_back(at[i] < 40 ? 0 : at[i] > 215 ? 2 : 1);
        return out;
    }
};

TEST_F(ImgPagePicture, ThePictureLiesWhereTheModePlacesItInTheTarget) {
    writeHalves("small.png", 30, 20);
    writeHalves("big.png", 200, 50);
    const struct {
        const char* name;
        const char* file;
        u32 mode;
        PageRect placed;
        u16 width, height;
    } cases[] = {
        {"centred", "small.png", kImgPlaceCentre, {45, 40, 75, 60}, 30, 20},
        {"centred, too big: fitted", "big.png", kImgPlaceCentre, {10, 38, 110, 63}, 100, 25},
        {"fitted", "big.png", kImgPlaceFit, {10, 38, 110, 63}, 100, 25},
        {"natural: its own size in the corner", "small.png", kImgPlaceNatural, {10, 20, 40, 40}, 30, 20},
    };
    const PageRect target{10, 20, 110, 80};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureRecord picture;
        PageRect placed{};
        ASSERT_EQ(imgImportFileToPicture(file(c.file), target, c.mode, &picture, &placed), kErrNone);
        EXPECT_EQ(placed, c.placed);
        ASSERT_EQ(picture.width, c.width);
        ASSERT_EQ(picture.height, c.height);
        EXPECT_TRUE(picture.mask.empty());
        ASSERT_EQ(picture.pixels.size(), size_t(c.width) * c.height * 4);
        EXPECT_EQ(pixel(picture, 1, 1), (std::vector<int>{2, 0, 0, 2}));
        EXPECT_EQ(pixel(picture, c.width - 2u, c.height - 2u), (std::vector<int>{0, 0, 2, 2}));
    }
    PictureRecord picture;
    PageRect placed{};
    ASSERT_EQ(imgReadPictureFile(file("small.png"), target, Ostrel::kPlaceAsReaderDoes, &picture, &placed), kErrNone);
    EXPECT_EQ(placed, (PageRect{45, 40, 75, 60}));
}

TEST_F(ImgPagePicture, TargetsWithoutARecordsSizeAndFilesNoImporterReadsAreRefused) {
    writeHalves("small.png", 30, 20);
    writeHalves("widest.png", i16(kPictureMaxSide), 2);
    writeFile(file("junk.png"), std::vector<u8>{'n', 'o', 't'});
    const i16 side = i16(kPictureMaxSide);
    const struct {
        const char* file;
        PageRect target;
        EngineErr expected;
    } cases[] = {
        {"small.png", {5, 5, 5, 20}, kDocErrBadSize},
        {"small.png", {5, 20, 40, 19}, kDocErrBadSize},
        {"small.png", {5, 20, 40, 20}, kDocErrBadSize},
        {"small.png", {0, 0, i16(side + 1), 10}, kDocErrBadSize},
        {"small.png", {0, 0, 10, i16(side + 1)}, kDocErrBadSize},
        {"small.png", {0, 0, side, side}, kErrNone},
        {"widest.png", {0, 0, side, 2}, kErrNone},
        {"junk.png", {0, 0, 40, 40}, kDocErrNotReadable},
        {"gone.png", {0, 0, 40, 40}, kDocErrNotReadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PictureRecord picture;
        PageRect placed{1, 2, 3, 4};
        EXPECT_EQ(imgImportFileToPicture(file(c.file), c.target, kImgPlaceCentre, &picture, &placed), c.expected);
        if (c.expected != kErrNone) {
            EXPECT_EQ(placed, (PageRect{1, 2, 3, 4}));
        }
    }
}

// Raw blocks of our own writer: rows narrower than the width, sides of 0 or past the limit, and
// rows that reach past the block are refused; the rest become opaque pixels.
TEST(ImgRawBlockPicture, SidesRowsAndSizeBothSidesOfEachLimit) {
    const auto block = [](u16 width, u16 height, u16 rowBytes, u32 rowsSize) {
        std::vector<u8> bytes(kRawBlockHeaderSize + rowsSize, 0);
        imgWriteRawHeader(bytes.data(), width, height, rowBytes, 16);
        return bytes;
    };
    const u16 widest = u16(kPictureMaxSide);
    const struct {
        const char* name;
        std::vector<u8> bytes;
        EngineErr expected;
    } cases[] = {
        {"no header", std::vector<u8>(kRawBlockHeaderSize - 1, 1), kDocErrTruncated},
        {"header alone, no width", block(0, 1, 4, 0), kDocErrBadSize},
        {"no height", block(1, 0, 4, 4), kDocErrBadSize},
        {"widest", block(widest, 1, u16(widest * 2), widest * 2u), kErrNone},
        {"too wide", block(u16(widest + 1), 1, u16(widest * 2 + 2), widest * 2u + 2), kDocErrBadSize},
        {"tallest", block(1, widest, 2, widest * 2u), kErrNone},
        {"too tall", block(1, u16(widest + 1), 2, widest * 2u + 2), kDocErrBadSize},
        {"rows too narrow", block(3, 2, 5, 10), kDocErrBadSize},
        {"rows end early", block(3, 2, 8, 15), kDocErrTruncated},
        {"rows just fit", block(3, 2, 8, 16), kErrNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureRecord picture;
        EXPECT_EQ(imgPictureOfRawBlock(c.bytes.data(), u32(c.bytes.size()), &picture), c.expected);
    }
    std::vector<u8> twoPixels = block(2, 1, 4, 4);
    const u16 words[2] = {0x7C00, 0x001F};
    std::memcpy(twoPixels.data() + kRawBlockHeaderSize, words, 4);
    PictureRecord picture;
    picture.mask = {1};
    ASSERT_EQ(imgPictureOfRawBlock(twoPixels.data(), u32(twoPixels.size()), &picture), kErrNone);
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 1);
    EXPECT_TRUE(picture.mask.empty());
    EXPECT_EQ(picture.pixels, (std::vector<u8>{248, 0, 0, 255, 0, 0, 248, 255}));
}

}  // namespace
