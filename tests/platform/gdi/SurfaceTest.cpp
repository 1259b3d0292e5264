#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

#include "platform/gdi/Palette.h"

using namespace plat::gdi;

TEST(Surface, RowStrideIsPaddedToFourBytes) {
    EXPECT_EQ(Surface::strideFor(33, 1), 8);
    EXPECT_EQ(Surface::strideFor(7, 4), 4);
    EXPECT_EQ(Surface::strideFor(5, 8), 8);
    EXPECT_EQ(Surface::strideFor(3, 16), 8);
    EXPECT_EQ(Surface::strideFor(3, 24), 12);
    EXPECT_EQ(Surface::strideFor(3, 32), 12);
}

TEST(Surface, RefusesBadDepthsAndSizes) {
    EXPECT_EQ(Surface::create(4, 4, 2), nullptr);
    EXPECT_EQ(Surface::create(4, 4, 33), nullptr);
    EXPECT_NE(Surface::create(4, 4, 32), nullptr);
    EXPECT_EQ(Surface::create(0, 4, 8), nullptr);
    EXPECT_EQ(Surface::create(4, -1, 8), nullptr);
    uint8_t buffer[4] = {};
    EXPECT_EQ(Surface::wrap(buffer, 8, 1, 8, 4, RowOrder::TopDown), nullptr);  // stride too small
}

TEST(Surface, BottomUpStoresTheTopRowLast) {
    auto s = Surface::create(2, 3, 8, RowOrder::BottomUp);
    s->setPixel(1, 0, 7);
    EXPECT_EQ(s->memory()[2 * s->stride() + 1], 7);
    auto t = Surface::create(2, 3, 8, RowOrder::TopDown);
    t->setPixel(1, 0, 7);
    EXPECT_EQ(t->memory()[1], 7);
}

TEST(Surface, PixelValuesRoundTripAtEveryDepth) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        auto s = Surface::create(9, 2, bits, RowOrder::TopDown);
        uint32_t v = s->valueMask() - 1;
        s->setPixel(3, 1, v);
        s->setPixel(4, 1, 1);
        EXPECT_EQ(s->pixel(3, 1), v) << bits;
        EXPECT_EQ(s->pixel(4, 1), 1u) << bits;
        EXPECT_EQ(s->pixel(2, 1), 0u) << bits;
    }
}

TEST(Surface, SubPixelsFollowTheDibBitOrder) {
    auto mono = Surface::create(8, 1, 1, RowOrder::TopDown);
    mono->setPixel(0, 0, 1);
    EXPECT_EQ(mono->memory()[0], 0x80);
    auto nibble = Surface::create(2, 1, 4, RowOrder::TopDown);
    nibble->setPixel(0, 0, 0xA);
    nibble->setPixel(1, 0, 0x5);
    EXPECT_EQ(nibble->memory()[0], 0xA5);
    auto rgb = Surface::create(1, 1, 24, RowOrder::TopDown);
    rgb->setPixel(0, 0, 0x112233);
    EXPECT_EQ(rgb->memory()[0], 0x33);  // blue first
    EXPECT_EQ(rgb->memory()[2], 0x11);
    auto quad = Surface::create(2, 1, 32, RowOrder::TopDown);
    quad->setPixel(1, 0, 0xFF112233);
    EXPECT_EQ(quad->memory()[4], 0x33);  // blue first, the fourth byte unused
    EXPECT_EQ(quad->memory()[6], 0x11);
    EXPECT_EQ(quad->memory()[7], 0x00);
    EXPECT_EQ(quad->pixel(1, 0), 0x112233u);
    EXPECT_EQ(quad->rgbOf(quad->valueOf(Rgb{1, 2, 3})).blue, 3);
}

TEST(Surface, SixteenBitValuesKeepBitFifteenClear) {
    auto s = Surface::create(2, 1, 16);
    s->setPixel(0, 0, 0xFFFF);
    EXPECT_EQ(s->pixel(0, 0), 0x7FFFu);
    EXPECT_EQ(s->rgbOf(0x7FFF), (Rgb{248, 248, 248}));
    EXPECT_EQ(s->valueOf({255, 0, 0}), 0x7C00u);
}

TEST(Surface, IndexedColoursMapToTheNearestTableEntry) {
    auto s = Surface::create(1, 1, 4, RowOrder::BottomUp, std::vector<Rgb>(standardColors16(), standardColors16() + 16));
    EXPECT_EQ(s->valueOf({250, 5, 5}), 9u);  // bright red
    EXPECT_EQ(s->valueOf({128, 0, 0}), 1u);  // dark red
    EXPECT_EQ(s->rgbOf(15), (Rgb{255, 255, 255}));
}

TEST(Palette, SixteenColourTableMatchesTheStaticEntriesItStandsFor) {
    const Rgb* table = standardColors16();
    const PaletteEntry* statics = staticColors();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(table[i], statics[i].rgb()) << i;
    for (int i = 0; i < 8; ++i) EXPECT_EQ(table[8 + i], statics[12 + i].rgb()) << i;
    EXPECT_EQ(table[1], (Rgb{128, 0, 0}));  // red channel first, dark red at index 1
}

TEST(Palette, NearestIndexPrefersTheLowerOfEqualDistances) {
    Palette p({{10, 0, 0, 0}, {30, 0, 0, 0}, {20, 0, 0, 0}});
    EXPECT_EQ(p.nearestIndex({20, 0, 0}), 2);
    EXPECT_EQ(p.nearestIndex({15, 0, 0}), 0);
}

TEST(Palette, EntryRangesAreClippedToThePalette) {
    Palette p(std::vector<PaletteEntry>(4));
    PaletteEntry colours[3] = {{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}};
    EXPECT_EQ(p.setEntries(2, 3, colours), 2);
    EXPECT_EQ(p.entry(3).red, 2);
    EXPECT_EQ(p.setEntries(4, 1, colours), 0);
}
