#include "framework/controls/RColorPicker.h"

#include <gtest/gtest.h>

#include <array>

#include "framework/controls/PaintColor.h"
#include "framework/controls/RTexturePicker.h"
#include "framework/messaging/mfDispatcher.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "platform/clock/Clock.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

class Pickers : public ::testing::Test {
protected:
    void clickAt(RHotSpotList* list, Point16 at) {
        list->HandleInput(kInputLeftButton, at, 0);
        list->HandleMouseUp(kInputLeftButton, at, 0);
    }
    size_t deliver() { return mfDispatcher().DispatchQueuedMessages(); }
    fwtest::QueueReset reset;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST_F(Pickers, ChoosingASwatchSetsThePaintColourAndCloses) {
    RColorPicker picker(&owner, {100, 50});
    picker.Init();
    ASSERT_EQ(picker.Palette().size(), 40u);
    ASSERT_TRUE(picker.Open());
    const Rect16 swatch = picker.GetSwatchRect(9);
    EXPECT_EQ(swatch.left, 124);
    EXPECT_EQ(swatch.top, 74);
    clickAt(RHotSpotList::Lists().front(), {i16(swatch.left + 2), i16(swatch.top + 2)});
    deliver();
    EXPECT_FALSE(picker.IsOpen());
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"owner:17647", "owner:17645"}));
    const GfxColor chosen = picker.Palette()[9];
    EXPECT_EQ(CurrentPaintColor().red, chosen.red);
    EXPECT_EQ(CurrentPaintColor().green, chosen.green);
    EXPECT_EQ(owner.last.param1, reinterpret_cast<uintptr_t>(&picker));
}

TEST_F(Pickers, PaletteRunsFromLightToDarkPerHue) {
    RColorPicker picker(&owner, {0, 0});
    picker.Init();
    const std::vector<GfxColor>& p = picker.Palette();
    // Column 0 is red: lighter at the top, pure in the middle row, darker below.
    EXPECT_EQ(p[0].red, 255);
    EXPECT_GT(p[0].green, p[8].green);
    EXPECT_EQ(p[16].red, 255);
    EXPECT_EQ(p[16].green, 0);
    EXPECT_LT(p[32].red, p[24].red);
    RSmallColorPicker small(&owner, {0, 0});
    small.Init();
    EXPECT_EQ(small.Palette().size(), 16u);
    EXPECT_EQ(small.GetSwatchRect(15).right, 8 * 40);
}

TEST_F(Pickers, BothPalettesOfferPureWhiteAndPureBlack) {
    RColorPicker large(&owner, {0, 0});
    RSmallColorPicker small(&owner, {0, 0});
    for (RColorPicker* picker : {&large, static_cast<RColorPicker*>(&small)}) {
        picker->Init();
        const std::vector<GfxColor>& p = picker->Palette();
        // The last column: white at the top, black at the bottom.
        const GfxColor& top = p[7];
        const GfxColor& bottom = p[p.size() - 1];
        EXPECT_EQ((std::array<u8, 3>{top.red, top.green, top.blue}), (std::array<u8, 3>{255, 255, 255}));
        EXPECT_EQ((std::array<u8, 3>{bottom.red, bottom.green, bottom.blue}), (std::array<u8, 3>{0, 0, 0}));
    }
}

TEST_F(Pickers, SetColorPostsAPointerToTheProgramColour) {
    RColorPicker picker(&owner, {0, 0});
    picker.SetColor(GfxColor::rgb(1, 2, 3));
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"owner:17646"}));
    const auto* posted = reinterpret_cast<const GfxColor*>(owner.last.param1);
    EXPECT_EQ(posted, &CurrentPaintColor());
    EXPECT_EQ(posted->blue, 3);
}

TEST_F(Pickers, ClickOffThePaletteOrEscapeCloses) {
    RColorPicker picker(&owner, {0, 0});
    picker.Init();
    ASSERT_TRUE(picker.Open());
    EXPECT_EQ(picker.HandleInput(kInputLeftButton, {10, 10}, 0), 0u);
    EXPECT_EQ(picker.HandleInput(kInputLeftButton, {500, 10}, 0), 1u);
    EXPECT_FALSE(picker.IsOpen());
    ASSERT_TRUE(picker.Open());
    EXPECT_EQ(picker.HandleKey(testkeys::escapeKey()), 1u);
    EXPECT_FALSE(picker.IsOpen());
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"owner:17645", "owner:17645"}));
    RColorPicker unready(&owner, {0, 0});
    EXPECT_FALSE(unready.Open());
}

TEST_F(Pickers, TexturePickerPostsOnlyTheUsersChoice) {
    testfw::SystemArchive archive;
    std::vector<testres::ResContent> textures;
    for (u16 i = 0; i < 3; ++i) textures.push_back({fourCC("tBMP"), u16(kFirstTextureId + i), "bitmap"});
    archive.open(textures);
    RTexturePicker picker(&owner);
    ASSERT_TRUE(picker.Open(1));
    ASSERT_NE(picker.Strip(), nullptr);
    EXPECT_EQ(picker.Strip()->GetCount(), 3);
    EXPECT_EQ(picker.Strip()->GetSelected(), 1);
    picker.Strip()->SetCellRects({{0, 0, 10, 10}, {10, 0, 20, 10}}, 1059);
    ASSERT_EQ(picker.Strip()->GetFirstVisible(), 1);  // item 1 stays in view; cell 1 shows item 2
    deliver();
    EXPECT_TRUE(log.empty());
    clickAt(&picker.Strip()->HotSpots(), {15, 5});
    deliver();
    deliver();
    deliver();
    EXPECT_EQ(log, (fwtest::Log{"owner:3457"}));
    EXPECT_EQ(owner.last.param2, 2);
    EXPECT_EQ(picker.HandleKey(testkeys::escapeKey()), 1u);
    deliver();
    EXPECT_EQ(log.back(), "owner:3456");
}

TEST_F(Pickers, TexturePickerWithoutTexturesStaysClosed) {
    testfw::SystemArchive archive;
    archive.open({});
    RTexturePicker picker(&owner);
    EXPECT_FALSE(picker.Open(0));
    EXPECT_EQ(picker.HandleKey(testkeys::escapeKey()), 0u);
}

// The palette's sprite has no shape for the sprite layer to size it by: through every update
// it keeps the palette's rectangle, so a redraw of what lies behind it draws the palette again.
class PickerOnScreen : public testspr::WithSpriteScreen<Pickers> {
protected:
    void SetUp() override {
        Pickers::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen({0, 0, 320, 200}, GfxColor::rgb(128, 128, 128)));
    }
    void TearDown() override {
        WithSpriteScreen::TearDown();
        gfxShutdownPalettes();
        memShutdown();
    }
    // The window's pixel, each channel cut to its top five bits.
    u16 shown(Point16 at) const {
        GfxColor c;
        window_->ReadPixel(&c, at.h, at.v);
        return u16(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3));
    }
    static u16 cut(const GfxColor& c) { return u16(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3)); }
    plat::ScopedFakeClock clock_{1000};
};

TEST_F(PickerOnScreen, ThePaletteIsDrawnAgainWhenWhatIsBehindItIs) {
    RColorPicker picker(&owner, {40, 30});
    picker.Init();
    ASSERT_TRUE(picker.Open());
    const Rect16 whole{0, 0, 320, 200};
    for (int update = 0; update < 3; ++update) {
        clock_.advance(100);
        sprInvalRect(whole);
        sprUpdateScreen(1);
        for (const int swatch : {0, 9, 39}) {
            const Rect16 r = picker.GetSwatchRect(swatch);
            EXPECT_EQ(shown({i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}), cut(picker.Palette()[size_t(swatch)]))
                << "update " << update << ", swatch " << swatch;
        }
    }
    picker.Close();
    clock_.advance(100);
    sprUpdateScreen(1);
    const Rect16 r = picker.GetSwatchRect(9);
    EXPECT_EQ(shown({i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}), cut(GfxColor::rgb(128, 128, 128))) << "closed";
}

}  // namespace
