#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DisplayTestSupport.h"
#include "platform/display/sdl/SdlDisplay.h"

namespace plat {
namespace {

struct DisplayModesTest : ::testing::Test, testing::HeadlessDisplayFixture {};

TEST_F(DisplayModesTest, DesktopModeIsCurrentUntilASwitch) {
    display.setModes({{1280, 1024, 24, 75}, {800, 600, 16, 60}});
    EXPECT_EQ(display.currentMode(), (DisplayMode{1280, 1024, 24, 75}));
    EXPECT_TRUE(display.changeMode({800, 600, 16, 0}, false));
    EXPECT_EQ(display.currentMode(), (DisplayMode{800, 600, 16, 60}));
    display.restoreMode();
    EXPECT_EQ(display.currentMode(), (DisplayMode{1280, 1024, 24, 75}));
}

TEST_F(DisplayModesTest, TestOnlySwitchChangesNothing) {
    display.setModes({{1280, 1024, 24, 75}, {800, 600, 16, 60}});
    EXPECT_TRUE(display.changeMode({800, 600, 16, 60}, true));
    EXPECT_EQ(display.currentMode().width, 1280);
    EXPECT_TRUE(drain().empty());
}

TEST_F(DisplayModesTest, UnofferedModeIsRefused) {
    display.setModes({{1280, 1024, 24, 75}});
    EXPECT_FALSE(display.changeMode({800, 600, 16, 0}, false));
    EXPECT_FALSE(display.changeMode({1280, 1024, 24, 60}, false)) << "a given refresh rate must match";
    EXPECT_EQ(display.currentMode(), (DisplayMode{1280, 1024, 24, 75}));
}

TEST_F(DisplayModesTest, SwitchTellsEveryWindowAndSetsTheDepthOfNewSurfaces) {
    display.setModes({{1280, 1024, 24, 75}, {800, 600, 16, 60}});
    EXPECT_EQ(display.openWindow(window, "t", 4, 4)->surface().bitsPerPixel(), 24);
    ASSERT_TRUE(display.changeMode({800, 600, 16, 60}, false));
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].message, kMsgDisplayChange);
    EXPECT_EQ(got[0].wParam, 16u);
    EXPECT_EQ(got[0].lParam, (600 << 16) | 800);
    EXPECT_EQ(display.openWindow(window, "t", 4, 4)->surface().bitsPerPixel(), 16);
}

TEST(DisplayDriverChoice, HeadlessWhenAsked) {
    // The test programs run with TUMBLO_HEADLESS=1.
    EXPECT_EQ(displayDriver().name(), "headless");
}

TEST(DisplayDriverChoice, SdlRefusesWithoutARealDisplay) {
    // The test programs run with SDL_VIDEODRIVER=dummy, a driver that shows nothing.
    EXPECT_EQ(makeSdlDisplay(), nullptr);
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(makeSdlDisplay("x11"), nullptr) << "no X server named";
    if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
}  // namespace plat
