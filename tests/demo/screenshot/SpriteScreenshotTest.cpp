#include <gtest/gtest.h>

#include "../DemoScreen.h"
#include "../SpriteStage.h"
#include "SdlOnXvfb.h"
#include "tests/xserver/XScreenshot.h"
#include "platform/clock/Clock.h"

namespace {

using SpriteScreenshot = SdlOnXvfb;

constexpr int32_t kSpriteShotWidth = 240;
constexpr int32_t kSpriteShotHeight = 160;

u32 spriteWidened(u16 word) { return (word >> 10 & 31) << 19 | (word >> 5 & 31) << 11 | (word & 31) << 3; }

TEST_F(SpriteScreenshot, AnimatedSpritesOverTheBackdropReachTheScreenAsComposed) {
    {
        plat::ScopedFakeClock clock(1000);
        std::string whyNot;
        std::unique_ptr<DemoScreen> screen = DemoScreen::open(kSpriteShotWidth, kSpriteShotHeight, &whyNot);
        ASSERT_NE(screen, nullptr) << whyNot;
        std::unique_ptr<SpriteStage> stage = SpriteStage::open(*screen, 12, &whyNot);
        ASSERT_NE(stage, nullptr) << whyNot;
        for (int i = 0; i < 5; ++i) {
            clock.advance(100);
            stage->frame();
        }
        sdl_->pumpEvents();

        const plat::gdi::Point origin = screen->face().clientOrigin();
        std::vector<uint32_t> shot = takeXScreenshot(server_.display(), origin.x, origin.y, kSpriteShotWidth, kSpriteShotHeight);
        ASSERT_EQ(shot.size(), size_t(kSpriteShotWidth * kSpriteShotHeight)) << "the screen could not be read";
        int wrong = 0, backdrop = 0, sprite = 0;
        for (i32 y = 0; y < kSpriteShotHeight; ++y)
            for (i32 x = 0; x < kSpriteShotWidth; ++x) {
                const u8* row = screen->picture().Store().RowAt(y);
                const u16 word = u16(row[2 * x] | row[2 * x + 1] << 8);
                (word == stageBackdropWord(x, y) ? backdrop : sprite)++;
                if (shot[size_t(y * kSpriteShotWidth + x)] != spriteWidened(word) && wrong++ < 5)
                    ADD_FAILURE() << "screen differs at " << x << "," << y << ": " << std::hex
                                  << shot[size_t(y * kSpriteShotWidth + x)] << " instead of " << spriteWidened(word);
            }
        EXPECT_EQ(wrong, 0);
        // Both the backdrop and the sprites are on the screen.
        EXPECT_GT(backdrop, kSpriteShotWidth * kSpriteShotHeight / 2);
        EXPECT_GT(sprite, 12 * 200);
        stage.reset();
    }
}

}  // namespace
