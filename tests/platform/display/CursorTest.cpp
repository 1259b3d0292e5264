#include <gtest/gtest.h>

#include <optional>

#include "DisplayTestSupport.h"
#include "platform/cursor/Cursors.h"
#include "platform/display/sdl/SdlCursorMasks.h"

namespace plat {
namespace {

TEST(CursorMasks, EachCombinationMapsToTheSamePixelMeaning) {
    // AND/XOR bit pairs 00 black, 01 white, 10 transparent, 11 inverted.
    cursor::CursorImage image;
    image.andPlane[0] = 0b00110000;
    image.xorPlane[0] = 0b01010000;
    SdlCursorMasks m = sdlCursorMasks(image);
    // SDL: mask 1 data 1 black, mask 1 data 0 white, mask 0 data 0 transparent, mask 0 data 1 inverted.
    EXPECT_EQ(m.mask[0] & 0xF0, 0b11000000);
    EXPECT_EQ(m.data[0] & 0xF0, 0b10010000);
}

class HeadlessCursors : public ::testing::Test {
protected:
    void SetUp() override { cursor::resetCursors(); }
    void TearDown() override { cursor::resetCursors(); }

    testing::HeadlessDisplayFixture f;
};

TEST_F(HeadlessCursors, TheCursorServiceIsShownAsEventsArePumped) {
    cursor::CursorImage picture;
    picture.hotX = 5;
    picture.hotY = 6;
    picture.andPlane.fill(0xFF);
    cursor::CursorId made = cursor::createCursor(picture);
    cursor::setCursor(made);
    f.display.pumpEvents();
    EXPECT_EQ(f.display.currentCursor(), made);
    ASSERT_NE(f.display.shownPicture(), nullptr);
    EXPECT_EQ(*f.display.shownPicture(), picture);

    cursor::CursorId wait = cursor::systemCursor(cursor::SystemCursor::Wait);
    cursor::setCursor(wait);
    f.display.pumpEvents();
    EXPECT_EQ(f.display.currentCursor(), wait);
    EXPECT_EQ(f.display.shownPicture(), nullptr);
    cursor::showCursor(false);
    f.display.pumpEvents();
    EXPECT_EQ(f.display.currentCursor(), cursor::kNoCursor) << "a negative display count hides it";
}

TEST_F(HeadlessCursors, OnlyCursorsTheServiceKnowsAreShown) {
    cursor::CursorId made = cursor::createCursor({});
    cursor::CursorId destroyed = cursor::createCursor({});
    cursor::destroyCursor(destroyed);
    cursor::CursorId lastSystem = cursor::systemCursor(cursor::kLastSystemCursor);
    struct Case {
        const char* what;
        cursor::CursorId asked;
        cursor::CursorId shown;
    } cases[] = {
        {"none", cursor::kNoCursor, cursor::kNoCursor},
        {"first system cursor", cursor::systemCursor(cursor::SystemCursor::Arrow),
         cursor::systemCursor(cursor::SystemCursor::Arrow)},
        {"last system cursor", lastSystem, lastSystem},
        {"one past the system cursors", lastSystem + 1, cursor::kNoCursor},
        {"made cursor", made, made},
        {"destroyed cursor", destroyed, cursor::kNoCursor},
    };
    for (const Case& c : cases) {
        f.display.setCursor(cursor::systemCursor(cursor::SystemCursor::Cross));
        f.display.setCursor(c.asked);
        EXPECT_EQ(f.display.currentCursor(), c.shown) << c.what;
    }
}

TEST_F(HeadlessCursors, MouseInputMovesThePointerOnTheScreen) {
    auto first = f.display.openWindow(f.window, "first", 100, 10);
    WindowHandle other = createWindow({"Test", "other", defaultWindowProcedure});
    auto second = f.display.openWindow(other, "second", 100, 10);
    InputEvent move;
    move.position = {7, 3};
    f.display.script(other, move);
    f.display.pumpEvents();
    gdi::Point origin = second->clientOrigin();
    EXPECT_EQ(cursor::pointerPosition().x, origin.x + 7);
    EXPECT_EQ(cursor::pointerPosition().y, origin.y + 3);
    second.reset();
    destroyWindow(other);
    f.drain();
}

}  // namespace
}  // namespace plat
