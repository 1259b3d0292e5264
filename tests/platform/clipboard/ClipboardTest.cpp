// The clipboard's backends: the SDL one keeps text in the process until SDL's video runs.
#include <gtest/gtest.h>

#include <string>

#include <SDL.h>

#include "platform/clipboard/choice/ClipboardChoice.h"
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

namespace {

// SDL's dummy video keeps the clipboard in SDL itself, which is enough to see what crosses.
TEST(ClipboardBackends, SdlTextCrossesTheDesktopAsUtf8) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    auto sdl = plat::makeSdlClipboard();
    EXPECT_TRUE(sdl->setText("caf\xE9 \x80"));
    char* held = SDL_GetClipboardText();
    EXPECT_STREQ(held, "caf\xC3\xA9 \xE2\x82\xAC");
    SDL_free(held);
    // Another program's characters with no cp1252 form arrive as one '?' each.
    ASSERT_EQ(SDL_SetClipboardText("\xE6\x97\xA5\xE6\x9C\xAC ok \xC3\xB1"), 0);
    EXPECT_EQ(sdl->text(), "?? ok \xF1");
    // Bytes that are not UTF-8 arrive as one '?' each.
    ASSERT_EQ(SDL_SetClipboardText("a\xFF\xC3" "b"), 0);
    EXPECT_EQ(sdl->text(), "a??b");
    // The desktop's text ends at a NUL; a NUL inside the program's text does not end it there.
    EXPECT_TRUE(sdl->setText(std::string("before\0after", 12)));
    EXPECT_EQ(sdl->text(), "beforeafter");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// SDL carries text only: the program's own formats count while the desktop keeps their text.
TEST(ClipboardBackends, SdlOwnFormatsLastWhileTheDesktopKeepsTheirText) {
    auto sdl = plat::makeSdlClipboard();
    plat::ClipboardOffer before;
    before.own["Ours"] = "early";
    ASSERT_TRUE(sdl->place(before));
    EXPECT_EQ(sdl->ownFormat("Ours"), "early");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    plat::ClipboardOffer offer;
    offer.text = "mine";
    offer.own["Ours"] = "mark";
    ASSERT_TRUE(sdl->place(offer));
    EXPECT_EQ(sdl->ownFormat("Ours"), "mark");
    EXPECT_EQ(sdl->ownFormat("Theirs"), std::nullopt);
    ASSERT_EQ(SDL_SetClipboardText("theirs"), 0);
    EXPECT_EQ(sdl->ownFormat("Ours"), std::nullopt);
    ASSERT_EQ(SDL_SetClipboardText("mine"), 0);
    EXPECT_EQ(sdl->ownFormat("Ours"), std::nullopt);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
