#include <gtest/gtest.h>

#include "DisplayTestSupport.h"

namespace plat {
namespace {

struct DisplayWindowTest : ::testing::Test, testing::HeadlessDisplayFixture {};

TEST_F(DisplayWindowTest, PresentedAreaReadsBackPixelForPixel) {
    display.changeMode({800, 600, 16, 60}, false);
    drain();
    auto shown = display.openWindow(window, "t", 8, 4);
    auto& headless = static_cast<HeadlessWindow&>(*shown);
    gdi::Surface& s = shown->surface();
    ASSERT_EQ(s.bitsPerPixel(), 16);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) s.setPixel(x, y, uint32_t(y * 8 + x) * 0x0421);
    shown->present({2, 1, 20, 3});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 2 && y >= 1 && y < 3;
            // Grey level n in all three 5-bit channels widens to (n << 3) | (n >> 2).
            uint32_t n = uint32_t(y * 8 + x), level = (n << 3) | (n >> 2);
            uint32_t expected = inside ? level * 0x010101 : 0;
            EXPECT_EQ(headless.shownPixel(x, y), expected) << x << "," << y;
        }
}

TEST_F(DisplayWindowTest, TwentyFourBitSurfaceShowsItsColours) {
    auto shown = display.openWindow(window, "t", 3, 1);
    ASSERT_EQ(shown->surface().bitsPerPixel(), 24);
    shown->surface().setPixel(0, 0, 0x123456);
    shown->surface().setPixel(2, 0, 0xFFFFFF);
    shown->present(shown->clientRect());
    auto& headless = static_cast<HeadlessWindow&>(*shown);
    EXPECT_EQ(headless.shownPixel(0, 0), 0x123456u);
    EXPECT_EQ(headless.shownPixel(1, 0), 0u);
    EXPECT_EQ(headless.shownPixel(2, 0), 0xFFFFFFu);
}

TEST_F(DisplayWindowTest, PresentOutsideTheClientAreaShowsNothing) {
    auto shown = display.openWindow(window, "t", 4, 4);
    shown->present({10, 10, 20, 20});
    EXPECT_EQ(static_cast<HeadlessWindow&>(*shown).presentCount(), 0);
}

TEST_F(DisplayWindowTest, FirstInvalidationPostsOnePaint) {
    auto shown = display.openWindow(window, "t", 100, 50);
    shown->invalidate({0, 0, 10, 10});
    shown->invalidate({20, 0, 30, 10});
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].message, kMsgPaint);
    EXPECT_EQ(got[0].window, window);
    EXPECT_EQ(shown->updateRegion(), gdi::Region::unionOf({{0, 0, 10, 10}, {20, 0, 30, 10}}));
}

TEST_F(DisplayWindowTest, UpdateRegionIsClippedAndValidatedPiecewise) {
    auto shown = display.openWindow(window, "t", 100, 50);
    shown->invalidate({90, 40, 200, 200});
    EXPECT_EQ(shown->updateRegion(), gdi::Region({90, 40, 100, 50}));
    shown->validate({90, 40, 95, 50});
    EXPECT_EQ(shown->updateRegion(), gdi::Region({95, 40, 100, 50}));
    shown->validate(shown->clientRect());
    EXPECT_TRUE(shown->updateRegion().empty());
    drain();
    shown->invalidate({0, 0, 1, 1});
    EXPECT_EQ(drain().size(), 1u) << "a clean window asks to be painted again";
}

TEST_F(DisplayWindowTest, InvalidatingOutsideTheClientAreaAsksForNothing) {
    auto shown = display.openWindow(window, "t", 10, 10);
    shown->invalidate({10, 0, 20, 10});
    EXPECT_TRUE(shown->updateRegion().empty());
    EXPECT_TRUE(drain().empty());
}

TEST_F(DisplayWindowTest, WindowsHaveTheirOwnPlaceOnTheScreen) {
    auto first = display.openWindow(window, "a", 10, 10);
    auto second = display.openWindow(window, "b", 10, 10);
    EXPECT_NE(first->clientOrigin(), second->clientOrigin());
}

}  // namespace
}  // namespace plat
