// Tools' pictures from engine bitmaps: colours by depth, the size limit, damaged bitmaps
// refused, and a pattern fill tiling the archive picture its pattern id names.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "tests/engine/gfx/PackedEncoders.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/base/ToolPicture.h"
#include "tools/fills/RPatternFill.h"

namespace {

using Bytes = std::vector<u8>;

void be16(Bytes& b, u16 v) {
    b.push_back(u8(v >> 8));
    b.push_back(u8(v));
}

// Plain rows; 16-bit words are stored big-endian, as in the archives.
Bytes bitmap(u16 width, u16 height, u16 format, i16 rowBytes, const Bytes& rows) {
    Bytes b;
    be16(b, width);
    be16(b, height);
    be16(b, u16(rowBytes));
    be16(b, format);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

constexpr u16 kDepth16 = 3, kDepth24 = 4;

TEST(ToolPicture, SixteenBitPixelsKeepTheirColour) {
    Bytes rows = {0x7C, 0x00, 0x00, 0x1F, 0x03, 0xE0, 0x7F, 0xFF};
    Bytes b = bitmap(2, 2, kDepth16 | kGfxFormatMachineOrder, 4, {});
    for (size_t i = 0; i < rows.size(); i += 2) b.insert(b.end(), {rows[i + 1], rows[i]});  // machine order
    PixelTile tile = tileFromBitmap(b.data(), u32(b.size()));
    ASSERT_TRUE(tile.IsValid());
    EXPECT_EQ(tile.pixels, (std::vector<u16>{0x7C00, 0x001F, 0x03E0, 0x7FFF}));
}

TEST(ToolPicture, TwentyFourBitPixelsAreCutToFiveBits) {
    Bytes b = bitmap(2, 1, kDepth24, 8, {0x00, 0x00, 0xFF, 0x10, 0x80, 0x08, 0, 0});  // blue, green, red
    PixelTile tile = tileFromBitmap(b.data(), u32(b.size()));
    ASSERT_TRUE(tile.IsValid());
    EXPECT_EQ(tile.pixels, (std::vector<u16>{rgb555(255, 0, 0), rgb555(8, 128, 16)}));
}

TEST(ToolPicture, SideLimit) {
    struct Case {
        u16 width;
        bool read;
    };
    for (Case c : {Case{kToolPictureMaxSide, true}, Case{kToolPictureMaxSide + 1, false}, Case{0, false}}) {
        const i16 rowBytes = i16(c.width * 3 + 3) / 4 * 4;
        Bytes b = bitmap(c.width, 1, kDepth24, rowBytes, Bytes(size_t(rowBytes), 0x40));
        EXPECT_EQ(tileFromBitmap(b.data(), u32(b.size())).IsValid(), c.read) << c.width;
    }
}

TEST(ToolPicture, DamagedBitmapsAreRefused) {
    Bytes whole = bitmap(2, 2, kDepth24, 8, Bytes(16, 0x20));
    ASSERT_TRUE(tileFromBitmap(whole.data(), u32(whole.size())).IsValid());
    struct Case {
        const char* why;
        Bytes bytes;
    };
    for (const Case& c : {Case{"rows cut short", Bytes(whole.begin(), whole.end() - 1)},
                          Case{"header only", Bytes(whole.begin(), whole.begin() + 8)},
                          Case{"header cut short", Bytes(whole.begin(), whole.begin() + 7)},
                          Case{"stored byte order", bitmap(1, 1, kDepth16, 2, {0x7C, 0x00})},
                          Case{"unknown depth", bitmap(1, 1, 7, 4, Bytes(4, 0))}})
        EXPECT_FALSE(tileFromBitmap(c.bytes.data(), u32(c.bytes.size())).IsValid()) << c.why;
    EXPECT_FALSE(tileFromBitmap(nullptr, 100).IsValid());
}

class ArchivePictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        gfxShutdownPalettes();
        memShutdown();
    }
    void open(u16 id, const Bytes& picture) {
        image_ = std::make_shared<testres::FileImage>();
        image_->bytes = testres::makeArchive({{fourCC("tBMP"), id, std::string(picture.begin(), picture.end())}});
        ASSERT_NE(resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image_, "patterns"), 1, 0), 0);
    }

private:
    std::shared_ptr<testres::FileImage> image_;
};

TEST_F(ArchivePictures, PatternFillTilesThePictureItsIdNames) {
    // A 2 x 2 checker of red and yellow, stored big-endian.
    open(20400, bitmap(2, 2, kDepth16, 4, {0x7C, 0x00, 0x7F, 0xE0, 0x7F, 0xE0, 0x7C, 0x00}));
    EXPECT_TRUE(loadToolPicture(20400).IsValid());
    EXPECT_FALSE(loadToolPicture(20401).IsValid());

    tooltest::Picture picture(6, 4);
    tooltest::Easel easel(picture, GfxColor::rgb(0, 0, 255));
    RPatternFill fill;
    fill.SetFillPatternId(20400);
    easel.Use(fill);
    easel.Click({1, 1});
    EXPECT_EQ(picture.view.At(0, 0), 0x7C00);
    EXPECT_EQ(picture.view.At(1, 0), 0x7FE0);
    EXPECT_EQ(picture.view.At(5, 3), 0x7C00);

    fill.SetFillPatternId(20401);  // missing: the brushes' colour
    easel.Click({1, 1});
    // The checker's squares touch only at corners: the pressed square alone is filled.
    EXPECT_EQ(picture.view.At(1, 1), rgb555(0, 0, 255));
    EXPECT_EQ(picture.view.At(0, 0), 0x7C00);
}

// Packed rows: every place of a random picture reads as the colour it was packed with, for
// 8-bit rows with and without a colour table and for 16-bit rows with transparent gaps.
class PackedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
    }
    void TearDown() override {
        gfxShutdownPalettes();
        memShutdown();
    }
    std::mt19937 random{24};
};

TEST_F(PackedPictures, EightBitRowsReadAsTheirColours) {
    const std::vector<u16> colours = {0x7C00, 0x03E0, 0x001F, 0x4210};
    for (bool withTable : {true, false}) {
        const u16 width = u16(1 + random() % 90), height = u16(1 + random() % 40);
        Bytes indices(size_t(width) * height);
        for (u8& i : indices) i = u8(random() % (random() % 2 ? 2 : colours.size()));  // long runs and short ones
        Bytes b = bitmap(width, height, u16(2 | kGfxFormatPacked8 | (withTable ? kGfxFormatColorTable : 0)), 0, {});
        if (withTable) {
            b.insert(b.end(), {0, u8(4 + 2 * colours.size()), kGfxTableEntries555, u8(colours.size() - 1)});
            for (u16 c : colours) pushLE16(b, c);
        }
        Bytes packed = encodePacked8(indices, width, height);
        b.insert(b.end(), packed.begin(), packed.end());
        PixelTile tile = tileFromBitmap(b.data(), u32(b.size()));
        ASSERT_TRUE(tile.IsValid()) << withTable;
        for (size_t at = 0; at < indices.size(); ++at) {
            const GfxPaletteEntry& e = gfxDefaultPalette()->entries[indices[at]];
            const u16 expected = withTable ? colours[indices[at]] : rgb555(e.red, e.green, e.blue);
            ASSERT_EQ(tile.pixels[at], expected) << withTable << " at " << at;
        }
        // Rows cut short are refused.
        EXPECT_FALSE(tileFromBitmap(b.data(), u32(b.size() - 1)).IsValid()) << withTable;
    }
}

TEST_F(PackedPictures, SixteenBitRowsKeepTheirColoursAndGapsAreWhite) {
    Packed16 rows;
    rows.row(2, {{0x7C00, 0x03E0}, {0x001F}}, {1, 0});  // 2 gap, 2 colours, 1 gap, 1 colour, rest gap
    rows.repeatRow(5, 0x1234, 0);
    rows.emptyRows(1);
    Bytes b = bitmap(8, 3, u16(3 | kGfxFormatPacked16 | kGfxFormatMachineOrder), 0, rows.bytes);
    PixelTile tile = tileFromBitmap(b.data(), u32(b.size()));
    ASSERT_TRUE(tile.IsValid());
    const u16 W = kRgb555White;
    EXPECT_EQ(tile.pixels, (std::vector<u16>{W, W, 0x7C00, 0x03E0, W, 0x001F, W, W,  //
                                             0x1234, 0x1234, 0x1234, 0x1234, 0x1234, W, W, W,  //
                                             W, W, W, W, W, W, W, W}));
    EXPECT_FALSE(tileFromBitmap(b.data(), u32(b.size() - 4)).IsValid());
}

// Rows that end before the picture's last row, or leave places of 8-bit rows unfilled, are
// refused rather than read as whatever the tile held.
TEST_F(PackedPictures, RowsMissingOrShortAreRefused) {
    Bytes packed = encodePacked8(Bytes(4 * 2, 1), 4, 2);
    Bytes tall = bitmap(4, 3, u16(2 | kGfxFormatPacked8), 0, packed);
    EXPECT_FALSE(tileFromBitmap(tall.data(), u32(tall.size())).IsValid());
    Bytes wide = bitmap(5, 2, u16(2 | kGfxFormatPacked8), 0, packed);
    EXPECT_FALSE(tileFromBitmap(wide.data(), u32(wide.size())).IsValid());
    Bytes exact = bitmap(4, 2, u16(2 | kGfxFormatPacked8), 0, packed);
    EXPECT_TRUE(tileFromBitmap(exact.data(), u32(exact.size())).IsValid());
}

}  // namespace
