#include <gtest/gtest.h>

#include "DisplayTestSupport.h"
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

}  // namespace
}  // namespace plat
