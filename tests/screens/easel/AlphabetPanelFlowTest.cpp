// The alphabet on the running program in small-kids mode: the text button shows it, each
// letter says its name as it is picked and is laid on the canvas in the current colour, and a
// colour change draws the letters again without losing the one chosen.
#include <gtest/gtest.h>

#include "engine/gfx/sprites/SprSounds.h"
#include "framework/controls/PaintColor.h"
#include "framework/controls/RColorPicker.h"
#include "panels/alphabet/RAlphaPanel.h"
#include "panels/text/RTextPanel.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/ToolPicture.h"

namespace {

using namespace Ostrel;

std::vector<u16> gHeard;

class AlphabetPanelFlow : public testscreens::EaselHarness {
protected:
    void TearDown() override {
        EaselHarness::TearDown();
        gHeard.clear();
    }
    void setSmallKids(bool on) {
        app->GetGlobalUserSettings()->smallKids = on ? 1 : 0;
        RMessage changed(263, 0, 0);
        easel->HandleMessage(&changed, 0);
        settle();
    }
    void clickToolbar(u32 command) {
        for (const auto& b : easel->Buttons())
            if (b->GetRecord().clickMessage == command) return click(centreOf(b->GetSprite()));
        ADD_FAILURE() << "no toolbar button " << command;
    }
    void pick(RAlphaPanel& panel, int item) {
        panel.GetScroller()->ScrollIntoView(item);
        settle();
        const Rect16 cell = panel.GetScroller()->GetCellRect(item);
        click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    }
    static int pixelsOf(const ScrollerPicture* glyph, u16 colour) {
        const PixelTile tile = tileFromBitmap(glyph->data(), u32(glyph->size()));
        int count = 0;
        for (u16 p : tile.pixels) count += p == colour;
        return count;
    }
};

TEST_F(AlphabetPanelFlow, LettersSayTheirNamesAndFollowTheColour) {
    enterEasel();
    clickToolbar(kEaselToolbarText);
    EXPECT_NE(dynamic_cast<RTextPanel*>(easel->CurrentPanel()), nullptr) << "outside small-kids mode the button writes texts";
    // The letters come at once in the text panel's place, saying their first.
    sprSetSoundHooks(SprSoundHooks{[](const SprSoundRequest& r) {
                                       gHeard.push_back(r.soundId);
                                       return true;
                                   },
                                   nullptr, nullptr, nullptr});
    setSmallKids(true);
    CurrentPaintColor() = GfxColor::rgb(0, 0, 255);
    clickToolbar(kEaselToolbarPencil);
    clickToolbar(kEaselToolbarText);
    auto* panel = dynamic_cast<RAlphaPanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->GetScroller()->GetCount(), 98) << "the letters and signs of English and Spanish";
    EXPECT_TRUE(panel->Buttons().empty()) << "the strip is all it shows";
    ASSERT_FALSE(gHeard.empty());
    EXPECT_EQ(gHeard.back(), 22000) << "opening says 'A'";
    struct Case {
        int item;
        u16 sound;
    };
    const int z = int(panel->Settings().characters.find('z'));
    for (const Case c : {Case{26, 22000}, Case{52, 22026}, Case{z, 22025}, Case{0, 22000}}) {
        pick(*panel, c.item);
        EXPECT_EQ(panel->CurrentCharacter(), c.item);
        EXPECT_EQ(gHeard.back(), c.sound) << c.item;
    }
    pick(*panel, z);
    EXPECT_GT(pixelsOf(panel->GetScroller()->GetItem(z), 0x001F), 10) << "'z' in blue";

    const Rect16& canvas = easel->Canvas()->CanvasRect();
    const Point16 spot{i16(canvas.left + 120), i16(canvas.top + 120)};
    click(spot);
    int blue = 0;
    for (i16 dy = -12; dy <= 12; ++dy)
        for (i16 dx = -12; dx <= 12; ++dx)
            blue += easel->Canvas()->Picture().At(spot.h - canvas.left + dx, spot.v - canvas.top + dy) == 0x001F;
    EXPECT_GT(blue, 5) << "the letter was laid in blue";

    gHeard.clear();
    CurrentPaintColor() = GfxColor::rgb(255, 0, 0);
    RMessage chosen(kMsgColorChosen, 0, 0);
    panel->HandleMessage(&chosen, 0);
    EXPECT_EQ(panel->CurrentCharacter(), z) << "the chosen letter stays";
    EXPECT_EQ(gHeard, std::vector<u16>{22025}) << "and says its name again";
    EXPECT_GT(pixelsOf(panel->GetScroller()->GetItem(z), 0x7C00), 10) << "'z' drawn again in red";
    EXPECT_EQ(pixelsOf(panel->GetScroller()->GetItem(0), 0x001F), 0) << "no blue letter is left";
}

}  // namespace
