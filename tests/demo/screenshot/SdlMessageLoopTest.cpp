#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "tests/xserver/XFakeInput.h"
#include "tests/xserver/XvfbServer.h"
#include "framework/app/mfxMain.h"
#include "framework/input/RInputObject.h"
#include "framework/windows/mfxDisplayWindow.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/ui/Windows.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr int kQuitByKey = 5;
constexpr int kQuitByWatchdog = 77;

// Ends the loop with kQuitByKey when the user types 'q'.
class QuitKey : public Ostrel::RInputObject {
public:
    u32 HandleKey(u32 key) override {
        if (keyRecordCharacter(key) != 'q') return 0;
        plat::postQuitMessage(kQuitByKey);
        return 1;
    }
};

// Handles the window's messages until the focusing click's release has come (bounded), so
// that the typing that follows goes to the focused window.
bool focusClickArrived(plat::DisplayDriver& driver) {
    for (int round = 0; round < 50; ++round) {
        driver.pumpEvents();
        plat::Message m;
        while (plat::peekMessage(m, true)) {
            plat::dispatchMessage(m);
            if (m.message == plat::kMsgLButtonUp) return true;
        }
        driver.waitForInput(100);
    }
    return false;
}

// The framework's message loop over a real SDL window on a private X server: it sleeps in the
// platform's wait, and the user's typing wakes it and reaches the input objects.
TEST(SdlMessageLoop, TypingWakesTheBlockedLoopAndReachesInputObjects) {
    XvfbServer server;
    if (!server.running()) GTEST_FAIL() << "No X server could be started: " << server.failure();
    setenv("DISPLAY", server.display().c_str(), 1);
    std::unique_ptr<plat::DisplayDriver> sdl = plat::makeSdlDisplay("x11");
    ASSERT_NE(sdl, nullptr);
    plat::setDisplayDriver(sdl.get());
    plat::keyboardState() = plat::KeyboardState{};
    int code = 0;
    {
        mfxDisplayWindow window("loop", Rect16{0, 0, 100, 80});
        ASSERT_NE(window.GetFace(), nullptr);
        QuitKey quitKey;
        quitKey.Register(Ostrel::kInputKeys);
        const plat::gdi::Point origin = window.GetFace()->clientOrigin();
        ASSERT_TRUE(fakeClickAndFocus(server.display(), origin.x + 5, origin.y + 5)) << "no test extension";
        ASSERT_TRUE(focusClickArrived(*sdl));

        const std::thread::id loopThread = std::this_thread::get_id();
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        std::thread user([&] {
            fakeKey(server.display(), "q", false);
            std::unique_lock lock(mutex);
            if (!ended.wait_for(lock, std::chrono::seconds(20), [&] { return done; }))
                plat::postThreadMessage(loopThread, plat::kMsgQuit, kQuitByWatchdog, 0);
        });
        code = mfxRunMessageLoop();
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        ended.notify_all();
        user.join();
    }
    plat::Message m;
    while (plat::peekMessage(m, true)) {
    }
    plat::setDisplayDriver(nullptr);
    EXPECT_EQ(code, kQuitByKey);
}

}  // namespace
