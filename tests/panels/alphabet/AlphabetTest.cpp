// The alphabet's spoken names by place, its settings' defaults, and its glyphs: one 48 x 48
// picture a character, in the colour asked for.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "panels/alphabet/AlphabetGlyphs.h"
#include "panels/alphabet/AlphabetSounds.h"
#include "panels/alphabet/RAlphaPanel.h"
#include "tools/base/ToolPicture.h"

namespace {

using namespace Ostrel;

TEST(AlphabetSounds, EachPlaceSaysItsName) {
    const std::string set = kDefaultAlphabet;
    struct Case {
        int item;
        u16 sound;
    };
    const Case cases[] = {{0, 22000},   {25, 22025},  {26, 22000},  {int(set.find('z')), 22025}, {int(set.find('y')), 22024},
                          {52, 22026},  {67, 22041},  {68, 22092},  {69, 22090},                 {71, 22092},
                          {72, 22042},  {200, 22042}, {-1, 22042}};
    for (const Case& c : cases) EXPECT_EQ(AlphabetSoundId(c.item), c.sound) << c.item;
    EXPECT_EQ(set.substr(48, 4), "wxyz");
    EXPECT_EQ(set[52], '1');
}

class AlphabetGlyphs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
    }
    void TearDown() override {
        gfxShutdownPalettes();
        memShutdown();
    }
    static int pixelsOf(const ScrollerPicture& glyph, u16 colour) {
        const PixelTile tile = tileFromBitmap(glyph.data(), u32(glyph.size()));
        int count = 0;
        for (u16 p : tile.pixels) count += p == colour;
        return count;
    }
};

TEST_F(AlphabetGlyphs, EveryCharacterKeepsItsPlaceInTheColourAsked) {
    const std::string set = kDefaultAlphabet;
    const auto red = RenderAlphabet(set, kDefaultAlphabetFont, kDefaultAlphabetFontSize, GfxColor::rgb(255, 0, 0));
    ASSERT_EQ(red.size(), set.size());
    for (const ScrollerPicture& glyph : red) {
        const PixelTile tile = tileFromBitmap(glyph.data(), u32(glyph.size()));
        ASSERT_EQ(tile.width, kAlphabetGlyphSide);
        ASSERT_EQ(tile.height, kAlphabetGlyphSide);
    }
    EXPECT_GT(pixelsOf(red[0], 0x7C00), 20) << "'A' in red";
    EXPECT_EQ(pixelsOf(red[0], 0x001F), 0);
    const auto blue = RenderAlphabet(set, kDefaultAlphabetFont, kDefaultAlphabetFontSize, GfxColor::rgb(0, 0, 255));
    EXPECT_GT(pixelsOf(blue[0], 0x001F), 20) << "'A' again in blue";
    EXPECT_EQ(pixelsOf(blue[0], 0x7C00), 0);
    EXPECT_NE(red[0], red[1]) << "'A' and 'B' differ";
    EXPECT_EQ(pixelsOf(BlankGlyph(), 0x7FFF), kAlphabetGlyphSide * kAlphabetGlyphSide);
}

}  // namespace
