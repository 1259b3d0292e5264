// The clipboard's backends: the SDL one keeps text in the process until SDL's video runs.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/sdl/SdlClipboard.h"

namespace {

TEST(ClipboardBackends, SdlWithoutVideoKeepsTheTextInTheProcess) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    auto sdl = plat::makeSdlClipboard();
    EXPECT_FALSE(sdl->hasText());
    EXPECT_TRUE(sdl->setText("cat"));
    EXPECT_TRUE(sdl->hasText());
    EXPECT_EQ(sdl->text(), "cat");
}

TEST(ClipboardBackends, InstalledBackendServesUntilRemoved) {
    plat::LocalClipboard installed;
    plat::setClipboardBackend(&installed);
    plat::clipboard().setText("dog");
    EXPECT_EQ(installed.text(), "dog");
    plat::setClipboardBackend(nullptr);
    EXPECT_NE(&plat::clipboard(), &installed);
}

}  // namespace
