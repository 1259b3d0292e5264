#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

#include "XFakeInput.h"
#include "XvfbServer.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

// Pumps the driver until a message of the kind arrives for the window, collecting all that
// came; the wait for the server's events is bounded.
bool pumpUntil(DisplayDriver& driver, WindowHandle window, uint32_t wanted, std::vector<Message>* seen) {
    for (int round = 0; round < 50; ++round) {
        driver.pumpEvents();
        Message m;
        while (peekMessage(m, true))
            if (m.window == window) seen->push_back(m);
        if (std::any_of(seen->begin(), seen->end(), [&](const Message& s) { return s.message == wanted; }))
            return true;
        driver.waitForInput(100);
    }
    return false;
}

TEST(SdlInput, ClicksAndKeysOnAnXServerArriveAsTheProgramsMessages) {
    XvfbServer server;
    if (!server.running()) GTEST_SKIP() << "No X server could be started: " << server.failure();
    setenv("DISPLAY", server.display().c_str(), 1);
    std::unique_ptr<DisplayDriver> sdl = makeSdlDisplay("x11");
    ASSERT_NE(sdl, nullptr) << "SDL could not open the X server at " << server.display();
    keyboardState() = KeyboardState{};
    WindowHandle window = createWindow({"Test", "input", defaultWindowProcedure});
    {
        std::unique_ptr<DisplayWindow> face = sdl->openWindow(window, "input", 100, 80);
        ASSERT_NE(face, nullptr);
        gdi::Point origin = face->clientOrigin();
        std::vector<Message> seen;
        ASSERT_TRUE(fakeClickAndFocus(server.display(), origin.x + 10, origin.y + 20)) << "no test extension";
        ASSERT_TRUE(pumpUntil(*sdl, window, kMsgLButtonUp, &seen));
        auto down = std::find_if(seen.begin(), seen.end(), [](const Message& m) { return m.message == kMsgLButtonDown; });
        ASSERT_NE(down, seen.end());
        EXPECT_EQ(down->lParam, (20 << 16) | 10);
        EXPECT_EQ(down->wParam, kMouseLeftButton);

        seen.clear();
        ASSERT_TRUE(fakeKey(server.display(), "a", true));
        ASSERT_TRUE(pumpUntil(*sdl, window, kMsgChar, &seen));
        std::vector<uintptr_t> keysDown, chars;
        for (const Message& m : seen) {
            if (m.message == kMsgKeyDown) keysDown.push_back(m.wParam);
            if (m.message == kMsgChar) chars.push_back(m.wParam);
        }
        EXPECT_EQ(keysDown, (std::vector<uintptr_t>{kVkShift, 'A'}));
        EXPECT_EQ(chars, (std::vector<uintptr_t>{'A'}));
        pumpUntil(*sdl, window, kMsgKeyUp, &seen);
    }
    destroyWindow(window);
    Message m;
    while (peekMessage(m, true)) {
    }
    keyboardState() = KeyboardState{};
    sdl.reset();
}

TEST(SdlInput, InputWakesTheMessageWait) {
    XvfbServer server;
    if (!server.running()) GTEST_SKIP() << "No X server could be started: " << server.failure();
    setenv("DISPLAY", server.display().c_str(), 1);
    std::unique_ptr<DisplayDriver> sdl = makeSdlDisplay("x11");
    ASSERT_NE(sdl, nullptr) << "SDL could not open the X server at " << server.display();
    keyboardState() = KeyboardState{};
    WindowHandle window = createWindow({"Test", "input", defaultWindowProcedure});
    {
        std::unique_ptr<DisplayWindow> face = sdl->openWindow(window, "input", 100, 80);
        ASSERT_NE(face, nullptr);
        gdi::Point origin = face->clientOrigin();
        std::vector<Message> seen;
        ASSERT_TRUE(fakeClickAndFocus(server.display(), origin.x + 5, origin.y + 5));
        ASSERT_TRUE(pumpUntil(*sdl, window, kMsgLButtonUp, &seen));
        // Only the display can end this wait early: nothing else posts, and the timer is a
        // safety net far beyond any delivery.
        constexpr uintptr_t kSafetyTimer = 1;
        ASSERT_TRUE(setTimer(window, kSafetyTimer, 60000));
        std::thread typist([&] { fakeKey(server.display(), "b", false); });
        waitForMessage();
        typist.join();
        seen.clear();
        ASSERT_TRUE(pumpUntil(*sdl, window, kMsgKeyUp, &seen));
        for (const Message& m : seen) EXPECT_NE(m.message, kMsgTimer) << "the wait ended by the safety timer";
        killTimer(window, kSafetyTimer);
    }
    destroyWindow(window);
    Message m;
    while (peekMessage(m, true)) {
    }
    keyboardState() = KeyboardState{};
    sdl.reset();
}

}  // namespace
}  // namespace plat
