#include <gtest/gtest.h>

#include "../DemoScreen.h"
#include "SdlOnXvfb.h"
#include "tests/xserver/XScreenshot.h"

// SDL's session-bus connection is kept by the bus library for the life of the process: the
// system's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

using Screenshot = SdlOnXvfb;

constexpr int32_t kPictureShotWidth = 160;
constexpr int32_t kPictureShotHeight = 120;

TEST_F(Screenshot, WindowOnAnXServerShowsThePortPixelForPixel) {
    {
        std::string whyNot;
        std::unique_ptr<DemoScreen> screen = DemoScreen::open(kPictureShotWidth, kPictureShotHeight, &whyNot);
        ASSERT_NE(screen, nullptr) << whyNot;
        ASSERT_EQ(screen->showTestPicture(), kErrNone);
        sdl_->pumpEvents();

        plat::gdi::Point origin = screen->face().clientOrigin();
        std::vector<uint32_t> shot = takeXScreenshot(server_.display(), origin.x, origin.y, kPictureShotWidth, kPictureShotHeight);
        ASSERT_EQ(shot.size(), size_t(kPictureShotWidth * kPictureShotHeight)) << "the screen could not be read";
        const plat::gdi::Surface& shown = screen->face().surface();
        ASSERT_EQ(shown.bitsPerPixel(), 24) << "Xvfb's desktop has 24-bit colour";
        int wrong = 0;
        for (i32 y = 0; y < kPictureShotHeight; ++y)
            for (i32 x = 0; x < kPictureShotWidth; ++x) {
                u8* row = screen->picture().Store().RowAt(y);
                u16 word = u16(row[2 * x] | row[2 * x + 1] << 8);
                ASSERT_EQ(word, demoPictureWord(x, y, kPictureShotWidth, kPictureShotHeight)) << "the offscreen port holds the picture";
                // The drawing layer widens RGB555 by a shift of three.
                u32 copied = (word >> 10 & 31) << 19 | (word >> 5 & 31) << 11 | (word & 31) << 3;
                ASSERT_EQ(shown.pixel(x, y), copied) << "the window port holds the copy";
                if (shot[size_t(y * kPictureShotWidth + x)] != copied && wrong++ < 5)
                    ADD_FAILURE() << "screen differs at " << x << "," << y << ": " << std::hex
                                  << shot[size_t(y * kPictureShotWidth + x)] << " instead of " << copied;
            }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
