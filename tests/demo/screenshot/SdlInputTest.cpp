#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/xserver/XFakeInput.h"
#include "tests/xserver/XvfbServer.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

// An SDL window of 100 × 80 on a private X server, focused by a click at (5, 5) of its
// client area; fails where no X server can be started.
class SdlInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.running()) GTEST_FAIL() << "No X server could be started: " << server.failure();
        setenv("DISPLAY", server.display().c_str(), 1);
        sdl = makeSdlDisplay("x11");
        ASSERT_NE(sdl, nullptr) << "SDL could not open the X server at " << server.display();
        keyboardState() = KeyboardState{};
        window = createWindow({"Test", "input", defaultWindowProcedure});
        face = sdl->openWindow(window, "input", 100, 80);
        ASSERT_NE(face, nullptr);
        origin = face->clientOrigin();
        ASSERT_TRUE(fakeClickAndFocus(server.display(), origin.x + 5, origin.y + 5)) << "no test extension";
        ASSERT_TRUE(pumpUntil(kMsgLButtonUp));
    }
    void TearDown() override {
        face.reset();
        if (window != kNoWindow) destroyWindow(window);
        Message m;
        while (peekMessage(m, true)) {
        }
        keyboardState() = KeyboardState{};
        sdl.reset();
    }

    // Pumps the driver until a message of the kind arrives for the window, collecting all
    // that came in `seen`; the wait for the server's events is bounded.
    bool pumpUntil(uint32_t wanted) {
        for (int round = 0; round < 50; ++round) {
            sdl->pumpEvents();
            Message m;
            while (peekMessage(m, true))
                if (m.window == window) seen.push_back(m);
            if (std::any_of(seen.begin(), seen.end(), [&](const Message& s) { return s.message == wanted; }))
                return true;
            sdl->waitForInput(100);
        }
        return false;
    }

    XvfbServer server;
    std::unique_ptr<DisplayDriver> sdl;
    WindowHandle window = kNoWindow;
    std::unique_ptr<DisplayWindow> face;
    gdi::Point origin;
    std::vector<Message> seen;
};

TEST_F(SdlInput, ClicksAndKeysArriveAsTheProgramsMessages) {
    auto down = std::find_if(seen.begin(), seen.end(), [](const Message& m) { return m.message == kMsgLButtonDown; });
    ASSERT_NE(down, seen.end());
    EXPECT_EQ(down->lParam, (5 << 16) | 5);
    EXPECT_EQ(down->wParam, kMouseLeftButton);

    seen.clear();
    ASSERT_TRUE(fakeKey(server.display(), "a", true));
    ASSERT_TRUE(pumpUntil(kMsgChar));
    std::vector<uintptr_t> keysDown, chars;
    for (const Message& m : seen) {
        if (m.message == kMsgKeyDown) keysDown.push_back(m.wParam);
        if (m.message == kMsgChar) chars.push_back(m.wParam);
    }
    EXPECT_EQ(keysDown, (std::vector<uintptr_t>{kVkShift, 'A'}));
    EXPECT_EQ(chars, (std::vector<uintptr_t>{'A'}));
    pumpUntil(kMsgKeyUp);
}

TEST_F(SdlInput, InputWakesTheMessageWait) {
    // Only the display can end this wait early: nothing else posts, and the timer is a
    // safety net far beyond any delivery.
    constexpr uintptr_t kSafetyTimer = 1;
    ASSERT_TRUE(setTimer(window, kSafetyTimer, 60000));
    std::thread typist([&] { fakeKey(server.display(), "b", false); });
    waitForMessage();
    typist.join();
    seen.clear();
    ASSERT_TRUE(pumpUntil(kMsgKeyUp));
    for (const Message& m : seen) EXPECT_NE(m.message, kMsgTimer) << "the wait ended by the safety timer";
    killTimer(window, kSafetyTimer);
}

TEST_F(SdlInput, TerminationSignalWakesTheMessageWaitAndClosesTheWindow) {
    constexpr uintptr_t kSafetyTimer = 1;
    ASSERT_TRUE(setTimer(window, kSafetyTimer, 60000));
    ASSERT_EQ(std::raise(SIGTERM), 0);
    waitForMessage();
    seen.clear();
    ASSERT_TRUE(pumpUntil(kMsgClose));
    for (const Message& m : seen) EXPECT_NE(m.message, kMsgTimer) << "the wait ended by the safety timer";
    killTimer(window, kSafetyTimer);
}

}  // namespace
}  // namespace plat
