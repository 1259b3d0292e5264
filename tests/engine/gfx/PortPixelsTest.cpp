#include <vector>

#include "GfxTestSupport.h"
#include "PackedEncoders.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/PackedPixels.h"

namespace {

std::vector<u32> rowOf(const plat::gdi::Surface& s, i32 y) {
    std::vector<u32> r;
    for (i32 x = 0; x < s.width(); ++x) r.push_back(s.pixel(x, y));
    return r;
}

void numberPixels(SurfacePort* port) {
    for (i32 y = 0; y < port->surface->height(); ++y)
        for (i32 x = 0; x < port->surface->width(); ++x) port->surface->setPixel(x, y, u32(10 * y + x + 1));
}

}  // namespace

TEST_F(GfxTest, CopyBitsBetweenLikePortsMirrorsAndTurns) {
    SurfacePort* src = makePort(3, 2, 16);
    SurfacePort* dst = makePort(3, 2, 16);
    numberPixels(src);
    Rect16 all{0, 0, 3, 2};
    ASSERT_EQ(src->CopyBits(dst, all, all, 0, 0), kErrNone);
    EXPECT_EQ(rowOf(*dst->surface, 0), (std::vector<u32>{1, 2, 3}));
    ASSERT_EQ(src->CopyBits(dst, all, all, 0, kGfxCopyMirror), kErrNone);
    EXPECT_EQ(rowOf(*dst->surface, 0), (std::vector<u32>{3, 2, 1}));
    ASSERT_EQ(src->CopyBits(dst, all, all, 0, kGfxCopyMirror | kGfxCopyFlip), kErrNone);
    EXPECT_EQ(rowOf(*dst->surface, 0), (std::vector<u32>{13, 12, 11}));
    EXPECT_EQ(rowOf(*dst->surface, 1), (std::vector<u32>{3, 2, 1}));
    EXPECT_EQ(src->CopyBits(dst, all, Rect16{2, 2, 2, 2}, 3, 0), kErrNone) << "empty source does nothing";
}

TEST_F(GfxTest, CopyBitsBetweenUnlikePortsGoesThroughColours) {
    SurfacePort* src = makePort(2, 1, 8);
    SurfacePort* dst = makePort(2, 1, 16);
    src->surface->setPixel(0, 0, 255);  // white in the default palette
    src->surface->setPixel(1, 0, 249);  // red
    Rect16 all{0, 0, 2, 1};
    ASSERT_EQ(src->CopyBits(dst, all, all, 0, kGfxCopyMirror), kErrNone);
    EXPECT_EQ(dst->surface->pixel(0, 0), 0x7C00u);
    EXPECT_EQ(dst->surface->pixel(1, 0), 0x7FFFu);
}

TEST_F(GfxTest, MaskedPicturesOfSixteenBitsDrawNothing) {
    SurfacePort* port = makePort(2, 1, 16);
    u8 pixels[4] = {0xFF, 0x7F, 0xFF, 0x7F};
    plat::gdi::DibImage image{2, 1, 16, 4, plat::gdi::RowOrder::TopDown, pixels, {}};
    EXPECT_EQ(port->DrawMaskedDIB(Rect16{0, 0, 2, 1}, image, 0, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(0, 0), 0u);
}

TEST_F(GfxTest, EightBitPixelsCopyAndMaskIndexZero) {
    SurfacePort* port = makePort(4, 2, 8);
    for (i32 x = 0; x < 4; ++x) port->surface->setPixel(x, 0, 50);
    u8 pixels[8] = {0, 20, 30, 0, 40, 41, 42, 43};
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, 4, 2, pixels, sizeof(pixels), kGfxModeTransparent, 0), kErrNone);
    EXPECT_EQ(rowOf(*port->surface, 0), (std::vector<u32>{50, 20, 30, 50}));
    EXPECT_EQ(rowOf(*port->surface, 1), (std::vector<u32>{40, 41, 42, 43}));
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, -4, 2, pixels, sizeof(pixels), 0, 0), kErrNone);
    EXPECT_EQ(rowOf(*port->surface, 0), (std::vector<u32>{40, 41, 42, 43})) << "negative row bytes: bottom-up";
    EXPECT_EQ(rowOf(*port->surface, 1), (std::vector<u32>{0, 20, 30, 0}));
    EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, 4, 0x102, pixels, sizeof(pixels), 0, 0), kGfxErrBadFormat);
    EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, 4, 0x32, pixels, sizeof(pixels), 0, 0), kGfxErrBadFormat);
}

TEST_F(GfxTest, OneBitPixelsTakeTheForeAndBackColours) {
    SurfacePort* port = makePort(8, 1, 16);
    port->backColor = GfxColor::rgb(255, 0, 0, kGfxColorFlagPortRgb);
    u8 pixels[4] = {0xA0};
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 8, 1}, 8, 1, 4, 0, pixels, sizeof(pixels), 0, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(0, 0), 0u);      // black foreground
    EXPECT_EQ(port->surface->pixel(1, 0), 0x7C00u);  // red background
}

TEST_F(GfxTest, ColourTableBlocksReplaceTheDefaultColours) {
    SurfacePort* port = makePort(2, 1, 16);
    // Block: length 10, entry format 16 (RGB555), two entries, then the pixels.
    u8 data[10 + 4] = {0, 10, 16, 1, 0x00, 0x7C, 0xE0, 0x03, 0, 0, 1, 0, 0, 0};
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 2, 1}, 2, 1, 4, 2 | kGfxFormatColorTable, data, sizeof(data), 0, 0), kErrNone);
    EXPECT_EQ(port->surface->pixel(0, 0), 0x03E0u);
    EXPECT_EQ(port->surface->pixel(1, 0), 0x7C00u);
}

TEST(PackedPixels, EightBitRunsExpandAndStopAtTheWidth) {
    // Row 1: repeat 3 × 7, literal {1, 2}; row 2: literal {9, 8, 7, 6, 5} cut at width 4.
    std::vector<u8> data = {0, 5, 0x82, 7, 0x01, 1, 2, 0, 6, 0x04, 9, 8, 7, 6, 5};
    std::vector<u8> out(2 * 8, 0xEE);
    EXPECT_TRUE(gfxExpandPacked8(data.data(), data.size(), 4, 2, out.data(), 8));
    EXPECT_EQ(std::vector<u8>(out.begin(), out.begin() + 5), (std::vector<u8>{7, 7, 7, 1, 0xEE}));
    EXPECT_EQ(std::vector<u8>(out.begin() + 8, out.begin() + 13), (std::vector<u8>{9, 8, 7, 6, 0xEE}));
}

TEST(PackedPixels, SixteenBitRowsMarkTransparentPlaces) {
    Packed16 p;
    p.row(1, {{0x1111, 0x2222}}, {1}).emptyRows(1).repeatRow(4, 0x3333, 0);
    std::vector<u16> out(3 * 4, 0xEEEE);
    EXPECT_EQ(gfxExpandPacked16(p.bytes.data(), p.bytes.size(), 4, 3, out.data(), 4, true, 0, 0x0F0F), GfxPacked16Result::Transparent);
    EXPECT_EQ(out, (std::vector<u16>{0x0F0F, 0x1111, 0x2222, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x0F0F, 0x3333, 0x3333,
                                     0x3333, 0x3333}));
    Packed16 solid;
    solid.repeatRow(2, 0x4444, 0);
    std::vector<u16> two(2);
    EXPECT_EQ(gfxExpandPacked16(solid.bytes.data(), solid.bytes.size(), 2, 1, two.data(), 2, false, 0x7FFF, 0), GfxPacked16Result::Opaque);
    EXPECT_EQ(two, (std::vector<u16>{0x7FFF, 0x7FFF}));
}

TEST_F(GfxTest, PackedSixteenBitPicturesLeaveTransparentPlacesInEveryMode) {
    Packed16 p;
    p.row(1, {{0x0400, 0x0401}}, {1});
    for (u16 mode : {u16(0), u16(1), u16(2), u16(3), u16(kGfxModeTransparent)}) {
        SurfacePort* port = makePort(4, 1, 16);
        for (i32 x = 0; x < 4; ++x) port->surface->setPixel(x, 0, 0x2A2A);
        ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 4, 1}, 4, 1, 0, 3 | kGfxFormatPacked16, p.bytes.data(), u32(p.bytes.size()), mode, 0), kErrNone);
        EXPECT_EQ(port->surface->pixel(0, 0), 0x2A2Au) << "mode " << mode;
        EXPECT_EQ(port->surface->pixel(3, 0), 0x2A2Au) << "mode " << mode;
        u32 expected = mode == 1 ? (0x2A2Au & 0x0400u) : mode == 2 ? (0x2A2Au | 0x0400u) : mode == 3 ? (0x2A2Au ^ 0x0400u) : 0x0400u;
        EXPECT_EQ(port->surface->pixel(1, 0), expected) << "mode " << mode;
    }
}

// Expanded packed rows are padded (8-bit rows to 4 bytes, 16-bit rows to 2 words): a picture
// of odd width must come out row by row as it was packed, not slanted.
TEST_F(GfxTest, PackedPicturesOfOddWidthsDrawEveryRowInPlace) {
    SurfacePort* eight = makePort(5, 2, 8);
    const std::vector<u8> indices = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::vector<u8> packed8 = encodePacked8(indices, 5, 2);
    ASSERT_EQ(eight->DrawPixels(Rect16{0, 0, 5, 2}, 5, 2, 0, 2 | kGfxFormatPacked8, packed8.data(), u32(packed8.size()), 0, 0), kErrNone);
    EXPECT_EQ(rowOf(*eight->surface, 0), (std::vector<u32>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rowOf(*eight->surface, 1), (std::vector<u32>{6, 7, 8, 9, 10}));

    SurfacePort* sixteen = makePort(3, 2, 16);
    Packed16 p;
    p.row(0, {{0x0101, 0x0202, 0x0303}}, {0}).row(0, {{0x0404, 0x0505, 0x0606}}, {0});
    ASSERT_EQ(sixteen->DrawPixels(Rect16{0, 0, 3, 2}, 3, 2, 0, 3 | kGfxFormatPacked16, p.bytes.data(), u32(p.bytes.size()), 0, 0), kErrNone);
    EXPECT_EQ(rowOf(*sixteen->surface, 0), (std::vector<u32>{0x0101, 0x0202, 0x0303}));
    EXPECT_EQ(rowOf(*sixteen->surface, 1), (std::vector<u32>{0x0404, 0x0505, 0x0606}));
}

TEST_F(GfxTest, TransparentPlacesAreNotTintedByTheColourOfValueZero) {
    SurfacePort* port = makePort(2, 1, 16);
    port->surface->setPixel(0, 0, 0x0123);
    port->surface->setPixel(1, 0, 0x0123);
    // A table whose entry 0 is white and entry 1 red; pixel values 0 and 1.
    std::vector<u8> data = {0, 8, kGfxTableEntries555, 1};
    pushLE16(data, 0x7FFF);
    pushLE16(data, 0x7C00);
    data.insert(data.end(), {0, 1, 0, 0});
    ASSERT_EQ(port->DrawPixels(Rect16{0, 0, 2, 1}, 2, 1, 4, 2 | kGfxFormatColorTable, data.data(), u32(data.size()),
                               kGfxModeTransparent, 0),
              kErrNone);
    EXPECT_EQ(port->surface->pixel(0, 0), 0x0123u);
    EXPECT_EQ(port->surface->pixel(1, 0), 0x7C00u);
}

// Packed rows are expanded whole before they are drawn: a picture whose rows would expand
// beyond the largest stored picture is refused before anything is allocated, however few
// bytes claim it (one header of packed 16-bit rows stands for 65536 empty rows).
TEST_F(GfxTest, PackedPicturesLargerThanAnyStoredPictureAreRefused) {
    SurfacePort* port = makePort(4, 2, 8);
    const u8 emptyRows16[4] = {0, 0, 0xFF, 0xFF};
    const std::vector<u8> emptyRows8(2 * 8193, 0);
    struct Case {
        u16 width, height, format;
        const u8* data;
        u32 size;
        EngineErr expected;
    };
    const Case cases[] = {
        {65535, 65535, 3 | kGfxFormatPacked16, emptyRows16, sizeof(emptyRows16), kGfxErrBadFormat},
        {4096, 8193, 3 | kGfxFormatPacked16, emptyRows16, sizeof(emptyRows16), kGfxErrBadFormat},
        {8192, 8193, 2 | kGfxFormatPacked8, emptyRows8.data(), u32(emptyRows8.size()), kGfxErrBadFormat},
        {8192, 8192, 2 | kGfxFormatPacked8, emptyRows8.data(), u32(emptyRows8.size()), kErrNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, c.width, c.height, 0, c.format, c.data, c.size, 0, 0), c.expected)
            << c.width << "x" << c.height;
}

TEST_F(GfxTest, PixelDataShorterThanItsRowsIsRefused) {
    SurfacePort* port = makePort(4, 2, 8);
    u8 pixels[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, 4, 2, pixels, sizeof(pixels), 0, 0), kGfxErrBadFormat);
    EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 2}, 4, 2, 2, 2, pixels, sizeof(pixels), 0, 0), kGfxErrBadFormat);
    u8 packed[3] = {0, 9, 0x83};
    EXPECT_EQ(port->DrawPixels(Rect16{0, 0, 4, 1}, 4, 1, 0, 2 | kGfxFormatPacked8, packed, sizeof(packed), 0, 0),
              kGfxErrBadFormat);
    EXPECT_EQ(port->surface->pixel(0, 0), 0u);
}
