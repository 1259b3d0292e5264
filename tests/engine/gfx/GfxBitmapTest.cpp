#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "PackedEncoders.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDecompressors.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PackedPixels.h"
#include "tests/LargestAllocation.h"
#include <gtest/gtest.h>

namespace {

std::vector<u8> lzDecode(const std::vector<u8>& stream, u32 outSize, u16 windowBits, bool* ok) {
    std::vector<u8> out(outSize, 0xEE), window(size_t(1) << windowBits);
    *ok = gfxLzExpand(out.data(), stream.data(), u32(stream.size()), outSize, window.data(), windowBits);
    return out;
}

std::vector<u8> bytesOf(const std::string& s) { return std::vector<u8>(s.begin(), s.end()); }

// A bitmap header: width, height, row bytes, format, all big-endian.
std::vector<u8> bitmapHeader(u16 width, u16 height, i16 rowBytes, u16 format) {
    std::vector<u8> b;
    pushBE16(b, width);
    pushBE16(b, height);
    pushBE16(b, u16(rowBytes));
    pushBE16(b, format);
    return b;
}

std::vector<u8> randomPicture(size_t n, u32 seed, int levels) {
    std::mt19937 rng(seed);
    std::vector<u8> v(n);
    // Runs of equal bytes mixed with noise, so that both run kinds and matches occur.
    for (size_t i = 0; i < n;) {
        size_t run = rng() % 12 + 1;
        u8 value = u8(rng() % levels);
        for (size_t k = 0; k < run && i < n; ++k, ++i) v[i] = (rng() % 4 == 0) ? u8(rng() % levels) : value;
    }
    return v;
}

class GfxBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(memInit(0, 512), kErrNone); }
    void TearDown() override {
        gfxUnloadDecompressors();
        memShutdown();
    }
    memHandle store(const std::vector<u8>& bytes) {
        memHandle h = memAllocHandle(u32(bytes.size()));
        std::memcpy(memDerefHandle(h), bytes.data(), bytes.size());
        return h;
    }
    std::vector<u8> contents(memHandle h) {
        const u8* p = static_cast<const u8*>(memDerefHandle(h));
        return std::vector<u8>(p, p + memGetHandleSize(h));
    }
    // An LZ-compressed bitmap of the pixels, in the long or short header form.
    memHandle lzBitmap(const std::vector<u8>& pixels, u16 windowBits, u16 compression, u16 format = 2) {
        std::vector<u8> b = bitmapHeader(u16(pixels.size()), 1, i16(pixels.size()), u16(format | compression));
        pushBE32(b, u32(pixels.size()));
        pushBE32(b, 0);
        pushBE16(b, u16(1u << windowBits));
        if (compression == kGfxFormatLzLong) pushBE32(b, 0);
        std::vector<u8> stream = encodeLz(pixels, windowBits);
        b.insert(b.end(), stream.begin(), stream.end());
        return store(b);
    }
};

}  // namespace

TEST(LzExpand, GoldenStreamsOfEveryWindowSize) {
    struct Golden {
        u16 bits;
        std::vector<u8> stream;
        std::string expected;
    };
    // Each stream: literals, then one back-reference (big-endian: length - 3 above the window
    // bits, window position below) to the bytes just written.
    std::vector<Golden> goldens = {
        {8, {0x03, '1', '2', 0x01, 0xFE}, "121212"},
        {9, {0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0x00, 0x0B, 0x7E}, "ABCDEFGHABCDEFGH"},
        {10, {0x07, 'A', 'B', 'C', 0x0F, 0xBE}, "ABCABCABC"},
        {11, {0x01, 'z', 0x17, 0xDE}, "zzzzzz"},
        {12, {0x01, 'x', 0xFF, 0xEE}, std::string(19, 'x')},
    };
    for (const Golden& g : goldens) {
        bool ok = false;
        std::vector<u8> out = lzDecode(g.stream, u32(g.expected.size()), g.bits, &ok);
        EXPECT_TRUE(ok) << "window bits " << g.bits;
        EXPECT_EQ(out, bytesOf(g.expected)) << "window bits " << g.bits;
    }
}

TEST(LzExpand, RefusesDamagedStreams) {
    bool ok = true;
    // Input ending inside a reference, and before the expanded size is reached.
    lzDecode({0x07, 'A', 'B', 'C', 0x0F}, 9, 10, &ok);
    EXPECT_FALSE(ok);
    lzDecode({0x07, 'A', 'B'}, 3, 10, &ok);
    EXPECT_FALSE(ok);
    // Window sizes outside 256-4096.
    std::vector<u8> out(4), window(8192);
    const u8 stream[] = {0xFF, 1, 2, 3, 4};
    EXPECT_FALSE(gfxLzExpand(out.data(), stream, 5, 4, window.data(), 13));
    EXPECT_FALSE(gfxLzExpand(out.data(), stream, 5, 4, window.data(), 7));
}

TEST(LzExpand, ReferencesIntoTheUnwrittenWindowReadZeros) {
    bool ok = false;
    // Before anything was written: six bytes from the zero-filled window.
    EXPECT_EQ(lzDecode({0x00, 0x0F, 0xBE}, 6, 10, &ok), std::vector<u8>(6, 0));
    EXPECT_TRUE(ok);
    // Three bytes back after two literals: one zero from the window's start, then the literals.
    EXPECT_EQ(lzDecode({0x03, 'a', 'b', 0x0F, 0xBD}, 8, 10, &ok), (std::vector<u8>{'a', 'b', 0, 'a', 'b', 0, 'a', 'b'}));
    EXPECT_TRUE(ok);
}

TEST(LzExpand, StopsAtTheExpandedSizeInsideAReference) {
    bool ok = false;
    std::vector<u8> out = lzDecode({0x07, 'A', 'B', 'C', 0x0F, 0xBE}, 5, 10, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(out, bytesOf("ABCAB"));
}

TEST(LzExpand, RoundTripsThroughTheTestEncoderAtEveryWindowSize) {
    std::vector<u8> picture = randomPicture(6000, 7, 5);
    for (u16 bits = kGfxMinWindowBits; bits <= kGfxMaxWindowBits; ++bits) {
        std::vector<u8> stream = encodeLz(picture, bits);
        EXPECT_LT(stream.size(), picture.size());
        bool ok = false;
        EXPECT_EQ(lzDecode(stream, u32(picture.size()), bits, &ok), picture) << "window bits " << bits;
        EXPECT_TRUE(ok);
    }
}

TEST(PackedPixels, EightBitRowsRoundTripThroughTheTestEncoder) {
    const u16 width = 37, height = 9;
    std::vector<u8> picture = randomPicture(size_t(width) * height, 11, 4);
    std::vector<u8> packed = encodePacked8(picture, width, height);
    std::vector<u8> out(size_t(width) * height);
    ASSERT_TRUE(gfxExpandPacked8(packed.data(), packed.size(), width, height, out.data(), width));
    EXPECT_EQ(out, picture);
    EXPECT_EQ(gfxPacked8Pixel(packed.data(), packed.size(), 36, 8), picture.back());
}

TEST(PackedPixels, DamagedRowsAreRefusedWithoutReadingPastTheData) {
    // Row count says 6 bytes of runs but only 3 follow; a literal run longer than its row.
    std::vector<u8> shortRow = {0, 6, 0x82, 7, 0x01};
    std::vector<u8> out(8);
    EXPECT_FALSE(gfxExpandPacked8(shortRow.data(), shortRow.size(), 8, 1, out.data(), 8));
    std::vector<u8> longLiteral = {0, 3, 0x05, 1, 2};
    EXPECT_FALSE(gfxExpandPacked8(longLiteral.data(), longLiteral.size(), 8, 1, out.data(), 8));
    EXPECT_EQ(gfxPacked8Pixel(longLiteral.data(), longLiteral.size(), 0, 0), -1);

    Packed16 p;
    p.row(0, {{1, 2, 3}}, {0});
    std::vector<u8> cut(p.bytes.begin(), p.bytes.end() - 2);
    std::vector<u16> words(3);
    EXPECT_EQ(gfxExpandPacked16(cut.data(), cut.size(), 3, 1, words.data(), 3, true, 0, 0), GfxPacked16Result::Damaged);
    // A second row that is missing.
    EXPECT_EQ(gfxExpandPacked16(p.bytes.data(), p.bytes.size(), 3, 2, words.data(), 3, true, 0, 0), GfxPacked16Result::Damaged);
}

TEST(PackedPixels, SixteenBitPixelsReadTransparentPlacesAsMinusTwo) {
    Packed16 p;
    p.row(1, {{0x1111}}, {2}).emptyRows(2).repeatRow(3, 0x2222, 0);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 0, 0), -2);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 1, 0), 0x1111);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 2, 0), -2);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 5, 0), -2);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 1, 2), -2);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 2, 3), 0x2222);
    EXPECT_EQ(gfxPacked16Pixel(p.bytes.data(), p.bytes.size(), 0, 4), -1);
}

TEST_F(GfxBitmapTest, LzBitmapsExpandInPlaceInBothHeaderForms) {
    std::vector<u8> picture = randomPicture(300, 3, 6);
    for (u16 compression : {kGfxFormatLzShort, kGfxFormatLzLong})
        for (u16 bits = kGfxMinWindowBits; bits <= kGfxMaxWindowBits; ++bits) {
            memHandle h = lzBitmap(picture, bits, compression);
            ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
            std::vector<u8> expected = bitmapHeader(300, 1, 300, 2);
            expected.insert(expected.end(), picture.begin(), picture.end());
            EXPECT_EQ(contents(h), expected) << "window bits " << bits;
            EXPECT_EQ(gfxGetBitmapPixel(expected.data(), u32(expected.size()), 299, 0), picture[299]);
            memFreeHandle(h);
        }
}

TEST_F(GfxBitmapTest, DamagedOrUnknownCompressionLeavesTheBlockUnchanged) {
    std::vector<u8> picture = randomPicture(64, 5, 3);
    memHandle h = lzBitmap(picture, 10, kGfxFormatLzShort);
    std::vector<u8> before = contents(h);
    before[16] = 0x03;  // window size 1000
    std::memcpy(memDerefHandle(h), before.data(), before.size());
    EXPECT_EQ(gfxExpandBitmap(h), kGfxErrBadFormat);
    EXPECT_EQ(contents(h), before);

    memHandle truncated = lzBitmap(picture, 10, kGfxFormatLzShort);
    ASSERT_EQ(memResizeHandle(truncated, u32(memGetHandleSize(truncated) - 4)), kErrNone);
    std::vector<u8> cut = contents(truncated);
    EXPECT_EQ(gfxExpandBitmap(truncated), kGfxErrBadFormat);
    EXPECT_EQ(contents(truncated), cut);

    memHandle unknown = store(bitmapHeader(4, 1, 4, 0x502));
    EXPECT_EQ(gfxExpandBitmap(unknown), kGfxErrBadFormat);
}

// A stored size larger than the stream could expand to, or than any picture, is refused before
// anything is allocated for it; up to those limits the block is made and the stream read.
TEST_F(GfxBitmapTest, AnExpandedSizeNoStreamOrPictureCouldHaveIsRefusedUnallocated) {
    if (!LargestAllocationWatch::available()) GTEST_SKIP() << "allocations are watched in sanitizer builds";
    ASSERT_TRUE(gfxLoadDecompressor("TESTCODE", std::string(TEST_DECODER_PATH) + ";7", ""));
    const std::vector<u8> stream = encodeLz(std::vector<u8>(4000, 7), 8);
    const u32 most = u32(stream.size()) * 129;
    constexpr u32 kLargest = 64u << 20;
    struct Case {
        const char* name;
        bool plugin;
        u32 claimed;
        bool allocated;
    };
    const Case cases[] = {
        {"what the stream holds", false, 4000, true},
        {"all the stream could give", false, most, true},
        {"more than the stream could give", false, most + 1, false},
        {"a gigabyte from a few bytes", false, 1u << 30, false},
        {"the largest picture, decoded elsewhere", true, kLargest, true},
        {"larger than any picture", true, kLargest + 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> b = bitmapHeader(4000, 1, 4000, u16(2 | (c.plugin ? kGfxFormatPlugin : kGfxFormatLzShort)));
        if (c.plugin) {
            b.insert(b.end(), {'T', 'E', 'S', 'T', 'C', 'O', 'D', 'E'});
            pushBE32(b, c.claimed);
            pushBE32(b, 3);
            b.insert(b.end(), {10, 20, 30});
        } else {
            pushBE32(b, c.claimed);
            pushBE32(b, 0);
            pushBE16(b, u16(1u << 8));
            b.insert(b.end(), stream.begin(), stream.end());
        }
        memHandle h = store(b);
        const LargestAllocationWatch watch;
        const EngineErr result = gfxExpandBitmap(h);
        EXPECT_EQ(watch.largestBytes() >= c.claimed, c.allocated);
        if (!c.allocated) {
            EXPECT_EQ(result, kGfxErrBadFormat);
        }
        memFreeHandle(h);
    }
}

TEST_F(GfxBitmapTest, SixteenBitPixelsAreSwappedOnceIntoMachineOrder) {
    std::vector<u8> b = bitmapHeader(2, 1, 4, 3);
    pushBE16(b, 0x7C00);
    pushBE16(b, 0x001F);
    memHandle h = store(b);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 0, 0), -1);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadFormat);
    ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
    ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
    std::vector<u8> after = contents(h);
    EXPECT_EQ(readBE16(after.data() + 6), 3 | kGfxFormatMachineOrder);
    EXPECT_EQ(gfxGetBitmapPixel(after.data(), u32(after.size()), 0, 0), 0x7C00);
    EXPECT_EQ(gfxGetBitmapPixel(after.data(), u32(after.size()), 1, 0), 0x001F);
}

TEST_F(GfxBitmapTest, PackedSixteenBitRowsSwapOnlyTheirColourWords) {
    Packed16 stored;
    stored.row(1, {{0x0102, 0x0304}}, {0}).repeatRow(2, 0x0506, 1);
    std::vector<u8> b = bitmapHeader(3, 2, 0, 3 | kGfxFormatPacked16);
    // Stored bitmaps keep colour words big-endian.
    std::vector<u8> bytes = stored.bytes;
    gfxWalkPacked16(bytes.data(), bytes.size(), 2, [&](const GfxPackedRun& run) {
        if (!run.transparent) gfxSwapWords(bytes.data() + (run.colours - bytes.data()), run.repeat ? 1 : run.count);
    });
    b.insert(b.end(), bytes.begin(), bytes.end());
    memHandle h = store(b);
    ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
    std::vector<u8> after = contents(h);
    EXPECT_EQ(std::vector<u8>(after.begin() + 8, after.end()), stored.bytes);
    EXPECT_EQ(gfxGetBitmapPixel(after.data(), u32(after.size()), 2, 0), 0x0304);
    EXPECT_EQ(gfxGetBitmapPixel(after.data(), u32(after.size()), 1, 1), 0x0506);
    EXPECT_EQ(gfxGetBitmapPixel(after.data(), u32(after.size()), 2, 1), -2);
}

TEST_F(GfxBitmapTest, PlainPixelsOfEveryDepthAndBottomUpRows) {
    std::vector<u8> one = bitmapHeader(9, 1, 4, 0);
    one.insert(one.end(), {0x40, 0x80, 0, 0});
    EXPECT_EQ(gfxGetBitmapPixel(one.data(), u32(one.size()), 1, 0), 1);
    EXPECT_EQ(gfxGetBitmapPixel(one.data(), u32(one.size()), 8, 0), 1);
    EXPECT_EQ(gfxGetBitmapPixel(one.data(), u32(one.size()), 0, 0), 0);
    std::vector<u8> four = bitmapHeader(3, 1, 4, 1);
    four.insert(four.end(), {0xAB, 0xC0, 0, 0});
    EXPECT_EQ(gfxGetBitmapPixel(four.data(), u32(four.size()), 1, 0), 0xB);
    EXPECT_EQ(gfxGetBitmapPixel(four.data(), u32(four.size()), 2, 0), 0xC);
    std::vector<u8> deep = bitmapHeader(1, 2, -4, 4);
    deep.insert(deep.end(), {1, 2, 3, 0, 4, 5, 6, 0});  // bottom row first
    EXPECT_EQ(gfxGetBitmapPixel(deep.data(), u32(deep.size()), 0, 0), 0x060504);
    EXPECT_EQ(gfxGetBitmapPixel(deep.data(), u32(deep.size()), 0, 1), 0x030201);
    // Rows that do not fit the block, and places outside the picture.
    EXPECT_EQ(gfxGetBitmapPixel(deep.data(), u32(deep.size()) - 1, 0, 0), -1);
    EXPECT_EQ(gfxGetBitmapPixel(deep.data(), u32(deep.size()), 1, 0), -1);
}

TEST_F(GfxBitmapTest, ColourTablesConvertToTableEntries) {
    std::vector<u8> block = {0, 12, kGfxTableEntries555, 3};
    pushLE16(block, 0x7FFF);
    pushLE16(block, 0x7C00);
    pushLE16(block, 0x03E0);
    pushLE16(block, 0x001F);
    std::vector<u8> table(256 * 4, 0xEE);
    gfxConvertColorTable(block.data(), u32(block.size()), 8, table.data());
    EXPECT_EQ(readLE32(table.data()), 0x00F8F8F8u);
    EXPECT_EQ(readLE32(table.data() + 4), 0x00F80000u);
    EXPECT_EQ(readLE32(table.data() + 8), 0x0000F800u);
    EXPECT_EQ(readLE32(table.data() + 12), 0x000000F8u);
    EXPECT_TRUE(std::all_of(table.begin() + 16, table.end(), [](u8 v) { return v == 0; }));

    gfxSetQtPaletteOption(1);
    gfxSetDisplayDepth(16);
    gfxConvertColorTable(block.data(), u32(block.size()), 8, table.data());
    EXPECT_EQ(readLE32(table.data()), 0x00FFFFFFu);
    gfxSetQtPaletteOption(0);

    // A bitmap with a table gives the entry of the pixel's index.
    std::vector<u8> b = bitmapHeader(2, 1, 4, 2 | kGfxFormatColorTable);
    b.insert(b.end(), block.begin(), block.end());
    b.insert(b.end(), {1, 3, 0, 0});
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 0, 0), 0x00F80000);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 1, 0), 0x000000F8);
}

TEST_F(GfxBitmapTest, PluginBitmapsExpandThroughTheLoadedModule) {
    std::vector<u8> b = bitmapHeader(4, 2, 4, 2 | kGfxFormatPlugin);
    b.insert(b.end(), {'T', 'E', 'S', 'T', 'C', 'O', 'D', 'E'});
    pushBE32(b, 8);
    pushBE32(b, 3);
    b.insert(b.end(), {10, 20, 30});
    memHandle h = store(b);
    EXPECT_EQ(gfxExpandBitmap(h), kGfxErrNoDecompressor);
    EXPECT_EQ(contents(h), b);

    EXPECT_FALSE(gfxLoadDecompressor("TESTCODEX", TEST_DECODER_PATH, ""));
    EXPECT_FALSE(gfxLoadDecompressor("TESTCODE", ",7", ""));
    EXPECT_FALSE(gfxLoadDecompressor("TESTCODE", "no-such-decoder.so", ""));
    ASSERT_TRUE(gfxLoadDecompressor("TESTCODE", std::string(TEST_DECODER_PATH) + ";7", ""));
    ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
    std::vector<u8> expected = bitmapHeader(4, 2, 4, 2);
    expected.insert(expected.end(), {17, 27, 37, 17, 27, 37, 17, 27});
    EXPECT_EQ(contents(h), expected);
}

TEST_F(GfxBitmapTest, APluginFoundInTheProgramFolderAndRefusingItsInput) {
    std::string path = TEST_DECODER_PATH;
    size_t slash = path.rfind('/');
    ASSERT_TRUE(gfxLoadDecompressor("EMPTY", path.substr(slash + 1), path.substr(0, slash)));
    std::vector<u8> b = bitmapHeader(2, 1, 4, 2 | kGfxFormatPlugin);
    b.insert(b.end(), {'E', 'M', 'P', 'T', 'Y', 0, 0, 0});
    pushBE32(b, 4);
    pushBE32(b, 0);
    memHandle h = store(b);
    EXPECT_EQ(gfxExpandBitmap(h), kGfxErrBadFormat);
    EXPECT_EQ(contents(h), b);
}

TEST_F(GfxBitmapTest, APluginValueWithoutANumberHandsOverZero) {
    ASSERT_TRUE(gfxLoadDecompressor("PLAIN", TEST_DECODER_PATH, ""));
    std::vector<u8> b = bitmapHeader(3, 1, 4, 2 | kGfxFormatPlugin);
    b.insert(b.end(), {'P', 'L', 'A', 'I', 'N', 0, 0, 0});
    pushBE32(b, 4);
    pushBE32(b, 2);
    b.insert(b.end(), {5, 6});
    memHandle h = store(b);
    ASSERT_EQ(gfxExpandBitmap(h), kErrNone);
    std::vector<u8> after = contents(h);
    EXPECT_EQ(std::vector<u8>(after.begin() + 8, after.end()), (std::vector<u8>{5, 6, 5, 6}));
}

TEST_F(GfxBitmapTest, PackedEightBitBitmapsAreReadRunByRun) {
    std::vector<u8> b = bitmapHeader(5, 2, 0, 2 | kGfxFormatPacked8);
    std::vector<u8> packed = encodePacked8({1, 1, 1, 1, 2, 3, 4, 5, 6, 7}, 5, 2);
    b.insert(b.end(), packed.begin(), packed.end());
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 2, 0), 1);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 4, 0), 2);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 3, 1), 6);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()) - 1, 4, 1), -1);
}

TEST_F(GfxBitmapTest, PackedEightBitIndicesBeyondASmallDepthsTableReadAsZeroEntries) {
    // A 1-bit depth code with packed 8-bit rows: the rows may still hold any byte.
    std::vector<u8> b = bitmapHeader(2, 1, 0, 0 | kGfxFormatColorTable | kGfxFormatPacked8);
    std::vector<u8> block = {0, 8, kGfxTableEntries555, 1};
    pushLE16(block, 0x7FFF);
    pushLE16(block, 0x7C00);
    b.insert(b.end(), block.begin(), block.end());
    std::vector<u8> packed = encodePacked8({1, 255}, 2, 1);
    b.insert(b.end(), packed.begin(), packed.end());
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 0, 0), 0x00F80000);
    EXPECT_EQ(gfxGetBitmapPixel(b.data(), u32(b.size()), 1, 0), 0);
}
