// The alphabet's spoken names by place, its settings' defaults, and its glyphs: one 48 x 48
// picture a character, in the colour asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "framework/language/LanguageTexts.h"
#include "panels/alphabet/AlphabetGlyphs.h"
#include "panels/alphabet/AlphabetOrder.h"
#include "panels/alphabet/AlphabetSounds.h"
#include "panels/alphabet/RAlphaPanel.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"
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

// In Spanish Ñ and ñ follow N and n, each keeping its index for its name; in English the set's
// order stands.
TEST(AlphabetOrder, InSpanishTheTildeLettersFollowTheirN) {
    const std::string set = "MNOmno?\xD1\xF1";
    for (const auto& [language, expected] : {std::pair{kLanguageEnglish, set}, {kLanguageSpanish, std::string("MN\xD1Omn\xF1o?")}}) {
        std::string shown;
        for (const int index : AlphabetOrder(set, language)) shown.push_back(set[size_t(index)]);
        EXPECT_EQ(shown, expected) << language;
    }
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

// The settings of [SmallKidsAlphabet], each checked on its own: what is too long, empty or no
// size of one or two digits keeps its default.
class AlphabetSettingsFile : public testpanels::PanelFixture {
protected:
    void TearDown() override {
        Path none{};
        SetupLanguageFolders(&none, "TB.ini");
        PanelFixture::TearDown();
    }
    AlphabetSettings read(const std::string& name, const std::string& body) {
        const std::string folder = host(paths->BuildPath(kFolderGuide, false));
        std::filesystem::create_directories(folder);
        // A file of its own each time: the settings stay loaded once read.
        std::ofstream(folder + "/" + name) << "[SmallKidsAlphabet]\r\n" << body;
        SetupLanguageFolders(EnginePath(paths->BuildPath(kFolderGuide, false)).get(), name.c_str());
        return ReadAlphabetSettings();
    }
};

TEST_F(AlphabetSettingsFile, EachSettingKeepsItsDefaultUnlessItFits) {
    const std::string longest(kAlphabetMaxCharacters, 'k'), longestFont(kAlphabetMaxFontName - 1, 'f');
    struct Case {
        std::string body;
        std::string characters;
        std::string font;
        u16 size;
    };
    const Case cases[] = {
        {"", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"AlphabetSet=XYZ\r\nFontName=DejaVu Serif\r\nFontSize=7\r\n", "XYZ", "DejaVu Serif", 7},
        {"AlphabetSet=" + longest + "\r\n", longest, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"AlphabetSet=" + longest + "k\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontName=" + longestFont + "\r\n", kDefaultAlphabet, longestFont, kDefaultAlphabetFontSize},
        {"FontName=" + longestFont + "f\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=99\r\n", kDefaultAlphabet, kDefaultAlphabetFont, 99},
        {"FontSize=1\r\n", kDefaultAlphabet, kDefaultAlphabetFont, 1},
        {"FontSize=100\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=0\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=00\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=4a\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=/9\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
        {"FontSize=:\r\n", kDefaultAlphabet, kDefaultAlphabetFont, kDefaultAlphabetFontSize},
    };
    int file = 0;
    for (const Case& c : cases) {
        const AlphabetSettings got = read("A" + std::to_string(file++) + ".ini", c.body);
        EXPECT_EQ(got.characters, c.characters) << c.body;
        EXPECT_EQ(got.fontName, c.font) << c.body;
        EXPECT_EQ(got.fontSize, c.size) << c.body;
    }
}

std::vector<u16> gSaid;

// The panel over the glyphs: opening says the first letter, a pick says its letter and hands
// it to the stamp, a pick past the strip changes nothing, and a colour change draws every
// letter again keeping the chosen one.
class AlphabetPanel : public testpanels::PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        sprSetSoundHooks(SprSoundHooks{[](const SprSoundRequest& r) {
                                           gSaid.push_back(r.soundId);
                                           return true;
                                       },
                                       nullptr, nullptr, nullptr});
        CurrentPaintColor() = GfxColor::rgb(0, 0, 255);
    }
    void TearDown() override {
        sprSetSoundHooks(SprSoundHooks{});
        gSaid.clear();
        gfxShutdownPalettes();
        PanelFixture::TearDown();
    }
    void hit(RAlphaPanel& panel, u16 item) {
        RMessage m(kMsgScrollerHit, reinterpret_cast<uintptr_t>(panel.GetScroller()), item);
        panel.HandleMessage(&m, 0);
    }
    // How many pixels of the colour the next press lays on a white canvas.
    int laid(u16 colour) {
        std::fill(picture.begin(), picture.end(), kRgb555White);
        Stroke({32, 32}, {32, 32});
        return int(std::count(picture.begin(), picture.end(), colour));
    }
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST_F(AlphabetPanel, PicksSayTheirLettersAndAColourChangeKeepsTheChoice) {
    RAlphaPanel panel(&owner, paths.get());
    Attach(panel);
    ASSERT_EQ(panel.Init(), 0);
    Deliver();
    ASSERT_EQ(panel.GetScroller()->GetCount(), int(std::string(kDefaultAlphabet).size()));
    EXPECT_EQ(panel.CurrentCharacter(), 0);
    EXPECT_EQ(gSaid, std::vector<u16>{22000}) << "opening says 'A'";
    EXPECT_EQ(mgr.GetCurrentTool(), panel.StampTool());
    EXPECT_EQ(panel.StampTool()->ScalePercent(), 100) << "letters are laid at full size";
    struct Case {
        u16 item;
        int current;
        std::vector<u16> said;
    };
    const Case cases[] = {{26, 26, {22000}}, {52, 52, {22026}}, {81, 81, {22042}}, {82, 81, {}}, {0xFFFF, 81, {}}, {1, 1, {22001}}};
    for (const Case& c : cases) {
        gSaid.clear();
        hit(panel, c.item);
        EXPECT_EQ(panel.CurrentCharacter(), c.current) << c.item;
        EXPECT_EQ(gSaid, c.said) << c.item;
    }
    EXPECT_GT(laid(0x001F), 20) << "'B' in blue";
    EXPECT_EQ(laid(0x7C00), 0);
    gSaid.clear();
    CurrentPaintColor() = GfxColor::rgb(255, 0, 0);
    RMessage chosen(kMsgColorChosen, 0, 0);
    panel.HandleMessage(&chosen, 0);
    EXPECT_EQ(panel.CurrentCharacter(), 1);
    EXPECT_EQ(panel.GetScroller()->GetSelected(), 1) << "the strip still marks it";
    EXPECT_EQ(gSaid, std::vector<u16>{22001}) << "'B' says its name again";
    EXPECT_GT(laid(0x7C00), 20) << "and is laid in red";
    EXPECT_EQ(laid(0x001F), 0);
}

// A stamped letter stands about as tall as the strip's whole cell, twice the letter the strip
// shows: the strip's own letter would come out smaller than the words a child writes.
TEST_F(AlphabetPanel, LettersAreStampedTwiceTheStripsSize) {
    RAlphaPanel panel(&owner, paths.get());
    Attach(panel);
    ASSERT_EQ(panel.Init(), 0);
    Deliver();
    const auto inkRows = [](const std::vector<u16>& pixels, int width) {
        int top = -1, bottom = -1;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] != kRgb555White) {
                const int y = int(i) / width;
                if (top < 0) top = y;
                bottom = y;
            }
        return top < 0 ? 0 : bottom - top + 1;
    };
    const ScrollerPicture* inStrip = panel.GetScroller()->GetItem(0);
    ASSERT_NE(inStrip, nullptr);
    const int stripLetter = inkRows(tileFromBitmap(inStrip->data(), u32(inStrip->size())).pixels, kAlphabetGlyphSide);
    ASSERT_GT(laid(0x001F), 20);
    EXPECT_GE(inkRows(picture, kSide), 2 * stripLetter - 4) << "the strip's 'A' is " << stripLetter << " rows tall";
}

}  // namespace
