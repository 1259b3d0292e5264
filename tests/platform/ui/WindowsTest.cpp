#include "platform/ui/Windows.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows, AProcedureDestroyingItsOwnWindowHearsOfItOnce) {
    int destroys = 0;
    plat::WindowHandle window = plat::kNoWindow;
    window = plat::createWindow({"Test", "self-destroying", [&](plat::WindowHandle w, uint32_t message, uintptr_t, intptr_t) -> intptr_t {
        if (message == plat::kMsgDestroy) {
            ++destroys;
            EXPECT_FALSE(plat::destroyWindow(w)) << "already going";
        }
        return 0;
    }});
    ASSERT_TRUE(plat::destroyWindow(window));
    EXPECT_EQ(destroys, 1);
    EXPECT_FALSE(plat::isWindow(window));
}

TEST(Windows, ReplacedProceduresHearTheMessagesAndHandTheOldOneBack) {
    const plat::WindowHandle window = plat::createWindow({"Test", "subclassed", [](plat::WindowHandle, uint32_t, uintptr_t, intptr_t) -> intptr_t { return 1; }});
    plat::WindowProcedure previous = plat::setWindowProcedure(window, [](plat::WindowHandle, uint32_t, uintptr_t, intptr_t) -> intptr_t { return 2; });
    EXPECT_EQ(plat::sendMessage(window, plat::kMsgUser, 0, 0), 2);
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous(window, plat::kMsgUser, 0, 0), 1);
    plat::setWindowProcedure(window, previous);
    EXPECT_EQ(plat::sendMessage(window, plat::kMsgUser, 0, 0), 1);
    EXPECT_FALSE(plat::setWindowProcedure(plat::kNoWindow, previous)) << "no such window";
    plat::destroyWindow(window);
}

}  // namespace
