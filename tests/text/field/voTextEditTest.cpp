// A dialog field on the sprite layer: the screen update shows it, and it leaves no trace
// once it is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../TextPortTest.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/undo/UndoManager.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "text/field/voTextEdit.h"
#include "text/host/TextKeys.h"
#include "text/measure/StyleFonts.h"

namespace {

constexpr Rect16 kSpriteScreen{0, 0, 160, 120};
constexpr Rect16 kFieldFrame{10, 10, 150, 40};

class voTextEditTest : public testspr::WithSpriteScreen<TextPortTest> {
protected:
    void SetUp() override {
        TextPortTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(kSpriteScreen, GfxColor::rgb(0, 128, 0)));
    }
    std::vector<u8> Shown() {
        GfxDibBitmap& store = static_cast<GfxOffscreenPort*>(window_)->Store();
        std::vector<u8> all;
        for (i32 y = 0; y < store.bounds.bottom; ++y) all.insert(all.end(), store.RowAt(y), store.RowAt(y) + store.bounds.right * 2);
        return all;
    }

    StyleFonts fonts;
    Ostrel::UndoManager undo{1, [](const char*) { return std::string(); }};
};

TEST_F(voTextEditTest, ScreenUpdateShowsTheFieldAndItsRemovalClearsIt) {
    sprInvalRect(kSpriteScreen);
    sprUpdateScreen(1);
    const std::vector<u8> empty = Shown();
    u16 id = 0;
    {
        voTextEdit field(fonts, undo);
        id = field.SpriteId();
        ASSERT_NE(sprFind(id), nullptr);
        TextStyle font;
        font.Set("default", 14, 0, GfxColor::rgb(0, 0, 0));
        ASSERT_TRUE(field.Begin(kFieldFrame, font, 1, 20, true));
        field.SetText("Name", 4, true, false);
        sprUpdateScreen(1);
        const std::vector<u8> named = Shown();
        EXPECT_NE(named, empty);
        field.SetFocus();
        field.HandleKey(keyWord(0, 's'));
        EXPECT_EQ(field.Text(), "Names");
        sprUpdateScreen(1);
        EXPECT_NE(Shown(), named);
    }
    EXPECT_EQ(sprFind(id), nullptr);
    sprUpdateScreen(1);
    EXPECT_EQ(Shown(), empty);
}

TEST_F(voTextEditTest, CaretBlinksWithTheScreenUpdates) {
    plat::ScopedFakeClock clock(1000);
    voTextEdit field(fonts, undo);
    TextStyle font;
    font.Set("default", 14, 0, GfxColor::rgb(0, 0, 0));
    ASSERT_TRUE(field.Begin(kFieldFrame, font, 1, 20, true));
    field.SetText("Name", 4, true, false);
    sprInvalRect(kSpriteScreen);
    sprUpdateScreen(1);
    const std::vector<u8> withoutFocus = Shown();
    field.SetFocus();
    sprUpdateScreen(1);
    const std::vector<u8> caretOn = Shown();
    EXPECT_NE(caretOn, withoutFocus);
    clock.advance(kFieldBlinkMs);
    sprUpdateScreen(1);
    EXPECT_EQ(Shown(), caretOn);  // not yet
    clock.advance(1);
    sprUpdateScreen(1);
    EXPECT_EQ(Shown(), withoutFocus);
    clock.advance(kFieldBlinkMs + 1);
    sprUpdateScreen(1);
    EXPECT_EQ(Shown(), caretOn);
}

}  // namespace
