// The SDL display shows the cursor service's cursors, on a private X server (SDL's dummy
// driver has no cursors); fails where no X server can be started.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/xserver/XvfbServer.h"
#include "platform/cursor/Cursors.h"
#include "platform/display/sdl/SdlDisplay.h"

namespace plat {
namespace {

class SdlCursors : public ::testing::Test {
protected:
    void SetUp() override {
        cursor::resetCursors();
        if (!server.running()) GTEST_FAIL() << "No X server could be started: " << server.failure();
        setenv("DISPLAY", server.display().c_str(), 1);
        sdl = makeSdlDisplay("x11");
        ASSERT_NE(sdl, nullptr) << "SDL could not open the X server at " << server.display();
    }
    void TearDown() override {
        sdl.reset();
        cursor::resetCursors();
    }
    static cursor::CursorImage picture(int hotX) {
        cursor::CursorImage image;
        image.hotX = hotX;
        image.andPlane.fill(0xFF);
        return image;
    }

    XvfbServer server;
    std::unique_ptr<DisplayDriver> sdl;
};

TEST_F(SdlCursors, APictureIsMadeOnceAndKeptWhileHiddenAndShownAgain) {
    cursor::CursorId made = cursor::createCursor(picture(1));
    sdl->setCursor(made);
    ASSERT_EQ(sdl->currentCursor(), made);
    SDL_Cursor* shown = SDL_GetCursor();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    sdl->setCursor(cursor::kNoCursor);
    EXPECT_EQ(sdl->currentCursor(), cursor::kNoCursor);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    sdl->setCursor(made);
    EXPECT_EQ(SDL_GetCursor(), shown) << "the same picture is not made again";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    // After a reset the service may give the same id to another picture.
    cursor::resetCursors();
    cursor::CursorId other = cursor::createCursor(picture(2));
    ASSERT_EQ(other, made);
    sdl->setCursor(other);
    EXPECT_EQ(sdl->currentCursor(), other);
    EXPECT_NE(SDL_GetCursor(), shown) << "another picture under a reused id is made anew";
}

TEST_F(SdlCursors, IdsTheServiceDoesNotKnowHideTheCursor) {
    cursor::CursorId destroyed = cursor::createCursor(picture(0));
    cursor::destroyCursor(destroyed);
    for (cursor::CursorId unknown : {destroyed, cursor::systemCursor(cursor::kLastSystemCursor) + 1}) {
        sdl->setCursor(cursor::createCursor(picture(3)));
        sdl->setCursor(unknown);
        EXPECT_EQ(sdl->currentCursor(), cursor::kNoCursor) << unknown;
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << unknown;
    }
}

}  // namespace
}  // namespace plat
