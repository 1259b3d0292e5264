// Packed 16-bit pictures written by gfxWritePacked16 read back place by place through the
// decoder, in their stored form until gfxPrepareBitmapWords turns their colours round; runs of
// one colour are stored as repeats, shorter ones as literals, and clear places as gaps.
#include <gtest/gtest.h>

#include <string>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPackedWriter.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"

namespace {

constexpr i32 o = kGfxPackedClear;

struct Sample {
    const char* name;
    u16 width;
    std::vector<i32> places;  // row by row
};

i32 placeOf(const Sample& s, u32 x, u32 y) { return s.places[y * s.width + x]; }

TEST(GfxPackedWriter, EveryPlaceReadsBackAsWritten) {
    const Sample samples[] = {
        {"literals", 3, {1, 2, 3, 4, 5, 6}},
        {"a repeat of four", 4, {7, 7, 7, 7}},
        {"three alike stay literal", 3, {7, 7, 7}},
        {"repeat after a literal, then a gap", 8, {1, 2, 9, 9, 9, 9, o, 3}},
        {"leading and trailing gaps", 5, {o, o, 4, o, o}},
        {"empty rows between and at the end", 2, {1, 2, o, o, o, o, 3, 4, o, o}},
        {"all clear", 3, {o, o, o, o, o, o}},
        {"one place", 1, {0x7FFF}},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        const u16 height = u16(s.places.size() / s.width);
        std::vector<u8> bitmap = gfxWritePacked16(s.width, height, [&](u32 x, u32 y) { return placeOf(s, x, y); });
        ASSERT_GE(bitmap.size(), kGfxBitmapHeaderSize);
        EXPECT_EQ(readBE16(bitmap.data()), s.width);
        EXPECT_EQ(readBE16(bitmap.data() + 2), height);
        EXPECT_EQ(readBE16(bitmap.data() + 4), s.width * 2);
        EXPECT_EQ(readBE16(bitmap.data() + 6), 3 | kGfxFormatPacked16);
        const u8* rows = bitmap.data() + kGfxBitmapHeaderSize;
        const size_t size = bitmap.size() - kGfxBitmapHeaderSize;
        // Stored colours are big-endian: the decoder, which reads machine order, sees them turned.
        for (u32 y = 0; y < height; ++y)
            for (u32 x = 0; x < s.width; ++x) {
                const i32 want = placeOf(s, x, y);
                const i32 stored = want == o ? -2 : i32(u16((want >> 8) | (want << 8)));
                EXPECT_EQ(gfxPacked16Pixel(rows, size, x, y), stored) << x << "," << y;
            }
        ASSERT_TRUE(gfxPrepareBitmapWords(bitmap.data(), u32(bitmap.size())));
        for (u32 y = 0; y < height; ++y)
            for (u32 x = 0; x < s.width; ++x)
                EXPECT_EQ(gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), u16(x), u16(y)),
                          placeOf(s, x, y) == o ? -2 : placeOf(s, x, y))
                    << x << "," << y;
    }
}

// Runs of four and more of one colour take 8 bytes whatever their length; shorter runs a word
// each, padded to 4 bytes.
TEST(GfxPackedWriter, LongRunsAreRepeatsAndShortOnesLiterals) {
    const struct {
        const char* name;
        std::vector<i32> row;
        std::vector<u8> runs;  // the row after its header
        u16 lead;
    } cases[] = {
        {"repeat", {5, 5, 5, 5, 5}, {0x80, 5, 0, 0, 0, 5, 0, 0}, 0},
        {"literal of three", {5, 5, 5}, {0, 3, 0, 0, 0, 5, 0, 5, 0, 5, 0, 0}, 0},
        {"gap inside", {o, 1, o, o, 2}, {0, 1, 0, 2, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<u8> bitmap =
            gfxWritePacked16(u16(c.row.size()), 1, [&](u32 x, u32) { return c.row[x]; });
        ASSERT_EQ(bitmap.size(), kGfxBitmapHeaderSize + 4 + c.runs.size());
        EXPECT_EQ(readBE16(bitmap.data() + kGfxBitmapHeaderSize), c.runs.size() / 4);
        EXPECT_EQ(readBE16(bitmap.data() + kGfxBitmapHeaderSize + 2), c.lead);
        EXPECT_EQ(std::vector<u8>(bitmap.begin() + kGfxBitmapHeaderSize + 4, bitmap.end()), c.runs);
    }
}

// Rows with nothing in them are counted together: one header for the run of them.
TEST(GfxPackedWriter, EmptyRowsShareOneHeader) {
    const std::vector<u8> bitmap = gfxWritePacked16(2, 4, [](u32, u32 y) { return y == 3 ? 1 : o; });
    const u8* rows = bitmap.data() + kGfxBitmapHeaderSize;
    EXPECT_EQ(readBE16(rows), 0);
    EXPECT_EQ(readBE16(rows + 2), 2) << "three empty rows";
    EXPECT_EQ(readBE16(rows + 4), 2) << "then one row of two words of runs";
    EXPECT_EQ(bitmap.size(), kGfxBitmapHeaderSize + 4 + 4 + 8);
}

}  // namespace
