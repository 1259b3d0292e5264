#include <gtest/gtest.h>

#include "DisplayTestSupport.h"
#include "platform/cursor/Cursors.h"
#include "platform/display/sdl/SdlCursorMasks.h"

namespace plat {
namespace {

CursorImage blankCursor() {
    CursorImage image;
    image.width = 16;
    image.height = 16;
    image.hotspot = {3, 4};
    image.andMask.assign(32, 0xFF);
    image.xorMask.assign(32, 0x00);
    return image;
}

TEST(CursorMasks, EachCombinationMapsToTheSamePixelMeaning) {
    // AND/XOR bit pairs 00 black, 01 white, 10 transparent, 11 inverted.
    SdlCursorMasks m = sdlCursorMasks({0b00110000}, {0b01010000});
    // SDL: mask 1 data 1 black, mask 1 data 0 white, mask 0 data 0 transparent, mask 0 data 1 inverted.
    EXPECT_EQ(m.mask[0] & 0xF0, 0b11000000);
    EXPECT_EQ(m.data[0] & 0xF0, 0b10010000);
}

TEST(HeadlessCursors, CustomCursorIsKeptAndMalformedOnesRefused) {
    testing::HeadlessDisplayFixture f;
    CursorHandle made = f.display.createCursor(blankCursor());
    ASSERT_NE(made, kNoCursor);
    EXPECT_EQ(f.display.customCursor(made)->hotspot, (gdi::Point{3, 4}));
    f.display.setCursor(made);
    EXPECT_EQ(f.display.currentCursor(), made);

    CursorImage shortMask = blankCursor();
    shortMask.xorMask.pop_back();
    EXPECT_EQ(f.display.createCursor(shortMask), kNoCursor);
    CursorImage oddWidth = blankCursor();
    oddWidth.width = 12;
    EXPECT_EQ(f.display.createCursor(oddWidth), kNoCursor);
    CursorImage hotspotOutside = blankCursor();
    hotspotOutside.hotspot = {16, 0};
    EXPECT_EQ(f.display.createCursor(hotspotOutside), kNoCursor);
}

TEST(HeadlessCursors, SystemCursorsAreDistinctAndHiding) {
    testing::HeadlessDisplayFixture f;
    EXPECT_NE(f.display.systemCursor(SystemCursor::Arrow), f.display.systemCursor(SystemCursor::Wait));
    f.display.setCursor(f.display.systemCursor(SystemCursor::Wait));
    f.display.setCursor(kNoCursor);
    EXPECT_EQ(f.display.currentCursor(), kNoCursor);
}

TEST(HeadlessCursors, TheCursorServiceIsShownAsEventsArePumped) {
    testing::HeadlessDisplayFixture f;
    cursor::resetCursors();
    cursor::CursorImage picture;
    picture.hotX = 5;
    picture.hotY = 6;
    picture.andPlane.fill(0xFF);
    cursor::CursorId made = cursor::createCursor(picture);
    cursor::setCursor(made);
    f.display.pumpEvents();
    const CursorImage* shown = f.display.customCursor(f.display.currentCursor());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->hotspot, (gdi::Point{5, 6}));
    EXPECT_EQ(shown->andMask.size(), 128u);

    cursor::setCursor(cursor::systemCursor(cursor::SystemCursor::Wait));
    f.display.pumpEvents();
    EXPECT_EQ(f.display.currentCursor(), f.display.systemCursor(SystemCursor::Wait));
    cursor::showCursor(false);
    f.display.pumpEvents();
    EXPECT_EQ(f.display.currentCursor(), kNoCursor) << "a negative display count hides it";
    cursor::resetCursors();
}

TEST(HeadlessCursors, MouseInputMovesThePointerOnTheScreen) {
    testing::HeadlessDisplayFixture f;
    cursor::resetCursors();
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
    cursor::resetCursors();
}

}  // namespace
}  // namespace plat
