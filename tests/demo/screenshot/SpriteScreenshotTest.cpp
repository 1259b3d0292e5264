#include <gtest/gtest.h>

#include <cstdlib>

#include "../DemoScreen.h"
#include "../SpriteStage.h"
#include "XScreenshot.h"
#include "XvfbServer.h"
#include "platform/clock/Clock.h"
#include "platform/display/sdl/SdlDisplay.h"

namespace {

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 160;

u32 widened(u16 word) { return (word >> 10 & 31) << 19 | (word >> 5 & 31) << 11 | (word & 31) << 3; }

TEST(SpriteScreenshot, AnimatedSpritesOverTheBackdropReachTheScreenAsComposed) {
    XvfbServer server;
    if (!server.running()) GTEST_SKIP() << "No X server could be started: " << server.failure();
    setenv("DISPLAY", server.display().c_str(), 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    std::unique_ptr<plat::DisplayDriver> sdl = plat::makeSdlDisplay("x11");
    ASSERT_NE(sdl, nullptr) << "SDL could not open the X server at " << server.display();
    plat::setDisplayDriver(sdl.get());
    {
        plat::ScopedFakeClock clock(1000);
        std::string whyNot;
        std::unique_ptr<DemoScreen> screen = DemoScreen::open(kWidth, kHeight, &whyNot);
        ASSERT_NE(screen, nullptr) << whyNot;
        std::unique_ptr<SpriteStage> stage = SpriteStage::open(*screen, 12, &whyNot);
        ASSERT_NE(stage, nullptr) << whyNot;
        for (int i = 0; i < 5; ++i) {
            clock.advance(100);
            stage->frame();
        }
        sdl->pumpEvents();

        const plat::gdi::Point origin = screen->face().clientOrigin();
        std::vector<uint32_t> shot = takeXScreenshot(server.display(), origin.x, origin.y, kWidth, kHeight);
        ASSERT_EQ(shot.size(), size_t(kWidth * kHeight)) << "the screen could not be read";
        int wrong = 0, backdrop = 0, sprite = 0;
        for (i32 y = 0; y < kHeight; ++y)
            for (i32 x = 0; x < kWidth; ++x) {
                const u8* row = screen->picture().Store().RowAt(y);
                const u16 word = u16(row[2 * x] | row[2 * x + 1] << 8);
                (word == stageBackdropWord(x, y) ? backdrop : sprite)++;
                if (shot[size_t(y * kWidth + x)] != widened(word) && wrong++ < 5)
                    ADD_FAILURE() << "screen differs at " << x << "," << y << ": " << std::hex
                                  << shot[size_t(y * kWidth + x)] << " instead of " << widened(word);
            }
        EXPECT_EQ(wrong, 0);
        // Both the backdrop and the sprites are on the screen.
        EXPECT_GT(backdrop, kWidth * kHeight / 2);
        EXPECT_GT(sprite, 12 * 200);
        stage.reset();
    }
    plat::setDisplayDriver(nullptr);
    sdl.reset();
}

}  // namespace
