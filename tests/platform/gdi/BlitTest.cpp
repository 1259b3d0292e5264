#include "platform/gdi/Blit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "GdiTestSupport.h"

using namespace gdi_test;

namespace {

// A 4 × 3 8-bit picture whose pixel (x, y) holds 10 * y + x + 1.
Canvas numbered() {
    Canvas c = makeCanvas(4, 3, 8, RowOrder::BottomUp, greyTable(256));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) c.surface->setPixel(x, y, uint32_t(10 * y + x + 1));
    return c;
}

std::vector<uint32_t> rowOf(const Surface& s, int32_t y) {
    std::vector<uint32_t> r;
    for (int32_t x = 0; x < s.width(); ++x) r.push_back(s.pixel(x, y));
    return r;
}

}  // namespace

TEST(Blit, CopiesAnAreaBetweenSameFormatSurfaces) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(4, 3, 8, RowOrder::TopDown, greyTable(256));
    EXPECT_TRUE(bitBlt(*dst.dc, {1, 1, 2, 2}, src.dc.get(), {2, 0}, kRopSrcCopy));
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{0, 0, 0, 0}));
    EXPECT_EQ(rowOf(*dst.surface, 1), (std::vector<uint32_t>{0, 3, 4, 0}));
    EXPECT_EQ(rowOf(*dst.surface, 2), (std::vector<uint32_t>{0, 13, 14, 0}));
}

TEST(Blit, NegativeSourceWidthMirrorsLeftToRight) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(4, 3, 8, RowOrder::TopDown, greyTable(256));
    stretchBlt(*dst.dc, {0, 0, 4, 3}, src.dc.get(), {3, 0, -4, 3}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{4, 3, 2, 1}));
    stretchBlt(*dst.dc, {0, 0, 4, 3}, src.dc.get(), {3, 2, -4, -3}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{24, 23, 22, 21}));
    EXPECT_EQ(rowOf(*dst.surface, 2), (std::vector<uint32_t>{4, 3, 2, 1}));
}

TEST(Blit, NegativeDestinationExtentsMirrorToo) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(4, 3, 8, RowOrder::TopDown, greyTable(256));
    stretchBlt(*dst.dc, {3, 0, -4, 3}, src.dc.get(), {0, 0, 4, 3}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 1), (std::vector<uint32_t>{14, 13, 12, 11}));
    stretchBlt(*dst.dc, {0, 2, 4, -3}, src.dc.get(), {0, 0, 4, 3}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{21, 22, 23, 24}));
}

TEST(Blit, DoubleStretchRepeatsEachPixel) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(8, 6, 8, RowOrder::TopDown, greyTable(256));
    stretchBlt(*dst.dc, {0, 0, 8, 6}, src.dc.get(), {0, 0, 4, 3}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 2), (std::vector<uint32_t>{11, 11, 12, 12, 13, 13, 14, 14}));
    EXPECT_EQ(rowOf(*dst.surface, 3), rowOf(*dst.surface, 2));
}

TEST(Blit, ShrinkingKeepsDroppedPixelsByStretchMode) {
    Canvas src = makeCanvas(4, 1, 8, RowOrder::TopDown, greyTable(256));
    const uint32_t values[4] = {0xF0, 0x3C, 0xFF, 0x0F};
    for (int32_t x = 0; x < 4; ++x) src.surface->setPixel(x, 0, values[x]);
    Canvas dst = makeCanvas(2, 1, 8, RowOrder::TopDown, greyTable(256));
    dst.dc->state().stretchMode = StretchMode::BlackOnWhite;
    stretchBlt(*dst.dc, {0, 0, 2, 1}, src.dc.get(), {0, 0, 4, 1}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{0x30, 0x0F}));
    dst.dc->state().stretchMode = StretchMode::WhiteOnBlack;
    stretchBlt(*dst.dc, {0, 0, 2, 1}, src.dc.get(), {0, 0, 4, 1}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{0xFC, 0xFF}));
    dst.dc->state().stretchMode = StretchMode::ColorOnColor;
    stretchBlt(*dst.dc, {0, 0, 2, 1}, src.dc.get(), {0, 0, 4, 1}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{0x3C, 0x0F}));
}

TEST(Blit, ConvertsColoursBetweenDepths) {
    Canvas src = makeCanvas(2, 1, 24);
    src.surface->setPixel(0, 0, 0xFF0000);
    src.surface->setPixel(1, 0, 0x00FF00);
    Canvas dst16 = makeCanvas(2, 1, 16);
    bitBlt(*dst16.dc, {0, 0, 2, 1}, src.dc.get(), {0, 0}, kRopSrcCopy);
    EXPECT_EQ(dst16.surface->pixel(0, 0), 0x7C00u);
    EXPECT_EQ(dst16.surface->pixel(1, 0), 0x03E0u);
    Canvas dst4 = makeCanvas(2, 1, 4, RowOrder::BottomUp, std::vector<Rgb>(standardColors16(), standardColors16() + 16));
    bitBlt(*dst4.dc, {0, 0, 2, 1}, src.dc.get(), {0, 0}, kRopSrcCopy);
    EXPECT_EQ(dst4.surface->pixel(0, 0), 9u);
    EXPECT_EQ(dst4.surface->pixel(1, 0), 10u);
}

TEST(Blit, SourceOutsideItsSurfaceLeavesTheDestination) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(4, 1, 8, RowOrder::TopDown, greyTable(256));
    dst.surface->fillSpan(0, 0, 4, 99);
    bitBlt(*dst.dc, {0, 0, 4, 1}, src.dc.get(), {-2, 0}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{99, 99, 1, 2}));
}

TEST(Blit, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    Canvas c = numbered();
    bitBlt(*c.dc, {1, 0, 3, 1}, c.dc.get(), {0, 0}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*c.surface, 0), (std::vector<uint32_t>{1, 1, 2, 3}));
}

TEST(Blit, PaletteIndexTablesOfPixelBuffersResolveThroughThePalette) {
    Canvas dst = makeCanvas(2, 1, 24);
    Palette palette({{10, 20, 30, 0}, {40, 50, 60, 0}});
    dst.dc->selectPalette(&palette);
    uint8_t bits[4] = {1, 0, 0, 0};
    DibImage image{2, 1, 8, 4, RowOrder::TopDown, bits, {paletteIndexColor(0), paletteIndexColor(1)}};
    stretchDib(*dst.dc, {0, 0, 2, 1}, image, {0, 0, 2, 1}, kRopSrcCopy);
    EXPECT_EQ(dst.surface->pixel(0, 0), 0x28323Cu);
    EXPECT_EQ(dst.surface->pixel(1, 0), 0x0A141Eu);
}

TEST(Blit, IndexedPixelBufferKeepsIndicesOnAMatchingTable) {
    Canvas dst = makeCanvas(3, 1, 8, RowOrder::BottomUp, greyTable(256));
    uint8_t bits[4] = {7, 200, 7, 0};
    DibImage image{3, 1, 8, 4, RowOrder::BottomUp, bits, {}};
    for (int i = 0; i < 256; ++i) image.colors.push_back(rgbColor(uint8_t(i), uint8_t(i), uint8_t(i)));
    stretchDib(*dst.dc, {0, 0, 3, 1}, image, {0, 0, 3, 1}, kRopSrcCopy);
    EXPECT_EQ(rowOf(*dst.surface, 0), (std::vector<uint32_t>{7, 200, 7}));
}

TEST(Blit, ScrollMovesPixelsAndReportsTheUncoveredStrip) {
    Canvas c = makeCanvas(4, 3, 8, RowOrder::TopDown, greyTable(256));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) c.surface->setPixel(x, y, uint32_t(10 * y + x + 1));
    Region update;
    EXPECT_TRUE(scrollDC(*c.dc, 0, -1, {0, 0, 4, 3}, {0, 0, 4, 3}, &update));
    EXPECT_EQ(rowOf(*c.surface, 0), (std::vector<uint32_t>{11, 12, 13, 14}));
    EXPECT_EQ(rowOf(*c.surface, 1), (std::vector<uint32_t>{21, 22, 23, 24}));
    EXPECT_EQ(update, Region(Rect{0, 2, 4, 3}));
}

TEST(Blit, ShrinkingAHugeSourceBoxVisitsOnlyTheSourceSurface) {
    Canvas src = numbered();
    Canvas dst = makeCanvas(1, 1, 8, RowOrder::TopDown, greyTable(256));
    dst.dc->state().stretchMode = StretchMode::WhiteOnBlack;
    // The one destination pixel samples source (1, 1) and gathers a 64003 × 64003 block that
    // holds the whole 4 × 3 source.
    stretchBlt(*dst.dc, {0, 0, 1, 1}, src.dc.get(), {-32000, -32000, 64003, 64003}, kRopSrcCopy);
    uint32_t all = 0;
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) all |= src.surface->pixel(x, y);
    EXPECT_EQ(dst.surface->pixel(0, 0), all);
    dst.surface->setPixel(0, 0, 0);
    stretchBlt(*dst.dc, {0, 0, 1, 1}, src.dc.get(), {32003, 32002, -64003, -64003}, kRopSrcCopy);
    EXPECT_EQ(dst.surface->pixel(0, 0), all);
}

TEST(Blit, ThirtyTwoBitSurfacesTakeColoursFromEveryDepth) {
    struct Case {
        int bits;
        uint32_t value;
        uint32_t expected;
    };
    // 16-bit 0x7C00 is red at five bits (0xF8); 24-bit values are already 0xRRGGBB.
    const Case cases[] = {{16, 0x7C00, 0xF80000}, {24, 0x123456, 0x123456}, {32, 0xABCDEF, 0xABCDEF}};
    for (const Case& c : cases) {
        Canvas src = makeCanvas(2, 2, c.bits, RowOrder::BottomUp, {});
        src.surface->setPixel(1, 1, c.value);
        Canvas dst = makeCanvas(2, 2, 32, RowOrder::TopDown, {});
        EXPECT_TRUE(bitBlt(*dst.dc, {0, 0, 2, 2}, src.dc.get(), {0, 0}, kRopSrcCopy));
        EXPECT_EQ(dst.surface->pixel(1, 1), c.expected) << c.bits;
        EXPECT_EQ(dst.surface->row(1)[7], 0) << c.bits;
    }
    Canvas wide = makeCanvas(2, 1, 32, RowOrder::TopDown, {});
    wide.surface->setPixel(0, 0, 0xFF0000);
    Canvas narrow = makeCanvas(2, 1, 16, RowOrder::TopDown, {});
    EXPECT_TRUE(bitBlt(*narrow.dc, {0, 0, 2, 1}, wide.dc.get(), {0, 0}, kRopSrcCopy));
    EXPECT_EQ(narrow.surface->pixel(0, 0), 0x7C00u);
}

// Plain copies that change format, stretch or mirror take a row-at-a-time path; the same rop
// index under another code takes the per-pixel one. Both must leave identical bytes, clipped
// and at odd offsets.
TEST(Blit, FormatChangingCopiesMatchThePerPixelPath) {
    constexpr Rop3 kPerPixelSrcCopy = 0x00CC0000;
    struct Case {
        int srcBits, dstBits;
        bool dib;
        Box to;
        Point from;
        Point extent{};  // of the source box, when it differs from the destination's
    };
    const Case cases[] = {
        {16, 32, false, {3, 2, 40, 12}, {-2, 1}}, {16, 24, false, {0, 0, 37, 9}, {3, 0}},
        {8, 32, false, {3, 2, 40, 12}, {-2, 1}},  {8, 16, true, {1, 1, 33, 7}, {3, 1}},
        {4, 24, false, {1, 1, 33, 7}, {3, 1}},    {1, 16, true, {3, 2, 40, 12}, {-5, 1}},
        {32, 16, false, {1, 1, 33, 7}, {3, 1}},   {24, 32, true, {3, 2, 40, 12}, {-2, 1}},
        {32, 24, false, {0, 0, 37, 9}, {1, 0}},   {24, 16, false, {1, 1, 33, 7}, {3, 1}},
        {16, 8, false, {1, 1, 33, 7}, {3, 1}},    {16, 16, true, {1, 1, 33, 7}, {3, 1}},
        {16, 24, false, {0, 0, 37, 9}, {36, 0}, {-30, 9}}, {16, 32, true, {1, 1, 33, 7}, {3, 1}, {15, 4}},
        {24, 16, false, {3, 2, 40, 12}, {-2, 8}, {20, -6}}, {32, 24, true, {0, 0, 37, 9}, {1, 2}, {37, 3}},
        {16, 32, false, {3, 2, 40, 12}, {0, 8}, {37, -9}}, {16, 24, false, {1, 1, 32, 7}, {3, 1}},
    };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.srcBits << " to " << c.dstBits << (c.dib ? " dib" : ""));
        std::vector<Rgb> colors;
        for (int i = 0; c.srcBits <= 8 && i < (1 << c.srcBits); ++i)
            colors.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
        Canvas src = makeCanvas(37, 9, c.srcBits, RowOrder::BottomUp, colors);
        Canvas fast = makeCanvas(41, 11, c.dstBits, RowOrder::TopDown, c.dstBits == 8 ? greyTable(256) : std::vector<Rgb>{});
        Canvas slow = makeCanvas(41, 11, c.dstBits, RowOrder::TopDown, c.dstBits == 8 ? greyTable(256) : std::vector<Rgb>{});
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 41; ++x) {
                uint32_t v = uint32_t(random());
                if (x < 37 && y < 9) src.surface->setPixel(x, y, v);
                fast.surface->setPixel(x, y, v >> 8);
                slow.surface->setPixel(x, y, v >> 8);
                // A 16-bit word read from a file may have its unused top bit set.
                if (c.srcBits == 16 && x < 37 && y < 9 && v % 2) src.surface->row(y)[2 * x + 1] |= 0x80;
            }
        fast.dc->intersectClipRect({0, 0, 38, 10});
        slow.dc->intersectClipRect({0, 0, 38, 10});
        Box source{c.from.x, c.from.y, c.extent.x ? c.extent.x : c.to.w, c.extent.y ? c.extent.y : c.to.h};
        if (c.dib) {
            DibImage image{37, 9, c.srcBits, src.surface->stride(), RowOrder::BottomUp, src.surface->memory(), {}};
            for (Rgb rgb : colors) image.colors.push_back(rgbColor(rgb.red, rgb.green, rgb.blue));
            EXPECT_TRUE(stretchDib(*fast.dc, c.to, image, source, kRopSrcCopy));
            EXPECT_TRUE(stretchDib(*slow.dc, c.to, image, source, kPerPixelSrcCopy));
        } else {
            EXPECT_TRUE(bitBlt(*fast.dc, c.to, src.dc.get(), c.from, kRopSrcCopy));
            EXPECT_TRUE(bitBlt(*slow.dc, c.to, src.dc.get(), c.from, kPerPixelSrcCopy));
        }
        for (int32_t y = 0; y < 11; ++y) EXPECT_EQ(rowOf(*fast.surface, y), rowOf(*slow.surface, y)) << "row " << y;
        EXPECT_EQ(std::memcmp(fast.surface->memory(), slow.surface->memory(), size_t(fast.surface->stride()) * 11), 0);
    }
}
