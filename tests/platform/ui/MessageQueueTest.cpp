#include "platform/ui/MessageQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/ui/Windows.h"

namespace {

struct Heard {
    uint32_t message;
    uintptr_t wParam;
};

// A hidden window that notes what its procedure hears; removed with the fixture.
class MessageCore : public ::testing::Test {
protected:
    void SetUp() override {
        window = plat::createWindow({"test class", "test window", [this](plat::WindowHandle, uint32_t m, uintptr_t w, intptr_t) {
                                         heard.push_back({m, w});
                                         return intptr_t(m + 1);
                                     }});
    }
    void TearDown() override {
        if (plat::isWindow(window)) plat::destroyWindow(window);
        plat::Message drop;
        while (plat::peekMessage(drop, true)) {
        }
    }
    std::vector<uint32_t> takeAll() {
        std::vector<uint32_t> taken;
        plat::Message m;
        while (plat::peekMessage(m, true)) taken.push_back(m.message);
        return taken;
    }

    plat::ScopedFakeClock clock{100};
    plat::WindowHandle window = plat::kNoWindow;
    std::vector<Heard> heard;
};

TEST_F(MessageCore, PostedMessagesComeInOrderBeforeDueTimers) {
    ASSERT_TRUE(plat::setTimer(window, 7, 10));
    clock.advance(10);
    plat::postMessage(window, plat::kMsgUser, 1, 0);
    plat::postMessage(window, plat::kMsgUser + 1, 2, 0);
    EXPECT_EQ(takeAll(), (std::vector<uint32_t>{plat::kMsgUser, plat::kMsgUser + 1, plat::kMsgTimer}));
}

TEST_F(MessageCore, TimerMessageOnlyWhenDueAndNeverPendingTwice) {
    ASSERT_TRUE(plat::setTimer(window, 7, 10));
    clock.advance(9);
    EXPECT_TRUE(takeAll().empty());
    clock.advance(100);  // ten periods pass: still one message
    plat::Message m;
    ASSERT_TRUE(plat::peekMessage(m, true));
    EXPECT_EQ(m.message, plat::kMsgTimer);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(m.window, window);
    EXPECT_FALSE(plat::peekMessage(m, true));
    clock.advance(10);  // due again one period after it was taken
    EXPECT_EQ(takeAll(), (std::vector<uint32_t>{plat::kMsgTimer}));
    EXPECT_TRUE(plat::killTimer(window, 7));
    clock.advance(50);
    EXPECT_TRUE(takeAll().empty());
}

TEST_F(MessageCore, PeekWithoutRemovingLeavesTheMessageAndSkipsHooks) {
    int hookCalls = 0;
    const int hook = plat::addGetMessageHook([&](plat::Message&) { hookCalls++; });
    plat::postMessage(window, plat::kMsgUser, 5, 0);
    plat::Message m;
    ASSERT_TRUE(plat::peekMessage(m, false));
    EXPECT_EQ(hookCalls, 0);
    ASSERT_TRUE(plat::peekMessage(m, true));
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_EQ(hookCalls, 1);
    plat::removeGetMessageHook(hook);
}

TEST_F(MessageCore, HooksSeeEveryTakenMessageNewestFirstAndMayChangeIt) {
    std::vector<int> order;
    const int first = plat::addGetMessageHook([&](plat::Message& m) {
        order.push_back(1);
        m.wParam += 100;
    });
    const int second = plat::addGetMessageHook([&](plat::Message&) { order.push_back(2); });
    plat::postMessage(window, plat::kMsgUser, 5, 0);
    plat::Message m;
    ASSERT_TRUE(plat::getMessage(m));
    EXPECT_EQ(m.wParam, 105u);
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
    plat::removeGetMessageHook(first);
    plat::removeGetMessageHook(second);
}

TEST_F(MessageCore, DispatchCallsTheWindowProcedure) {
    plat::postMessage(window, plat::kMsgUser + 3, 9, 0);
    plat::Message m;
    ASSERT_TRUE(plat::getMessage(m));
    EXPECT_EQ(plat::dispatchMessage(m), intptr_t(plat::kMsgUser + 4));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].wParam, 9u);
}

TEST_F(MessageCore, GetBlocksUntilAnotherThreadPosts) {
    std::thread poster([&] { plat::postMessage(window, plat::kMsgUser, 42, 0); });
    plat::Message m;
    ASSERT_TRUE(plat::getMessage(m));
    EXPECT_EQ(m.wParam, 42u);
    poster.join();
}

TEST_F(MessageCore, GetBlocksUntilTheFakeClockMakesATimerDue) {
    ASSERT_TRUE(plat::setTimer(window, 3, 25));
    std::atomic<bool> done{false};
    std::thread mover([&] {
        while (!done.load()) clock.advance(1);
    });
    plat::Message m;
    ASSERT_TRUE(plat::getMessage(m));
    done = true;
    mover.join();
    EXPECT_EQ(m.message, plat::kMsgTimer);
    EXPECT_GE(m.time, 125u);
}

TEST_F(MessageCore, WakeEndsAWaitWithoutAMessage) {
    const auto self = std::this_thread::get_id();
    std::thread waker([&] { plat::wakeThread(self); });
    plat::waitForMessage();
    waker.join();
    plat::Message m;
    EXPECT_FALSE(plat::peekMessage(m, true));
}

TEST_F(MessageCore, QuitEndsTheLoop) {
    plat::postQuitMessage(3);
    plat::Message m;
    EXPECT_FALSE(plat::getMessage(m));
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(MessageCore, DestroyedWindowHearsDestroyAndLosesItsMessagesAndTimers) {
    plat::setTimer(window, 1, 5);
    plat::postMessage(window, plat::kMsgUser, 0, 0);
    ASSERT_TRUE(plat::destroyWindow(window));
    EXPECT_FALSE(plat::isWindow(window));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].message, plat::kMsgDestroy);
    clock.advance(10);
    EXPECT_TRUE(takeAll().empty());
    EXPECT_FALSE(plat::postMessage(window, plat::kMsgUser, 0, 0));
}

TEST_F(MessageCore, WindowsOfAnotherThreadAreNotCalledDirectly) {
    intptr_t answer = -1;
    std::thread other([&] { answer = plat::sendMessage(window, plat::kMsgUser, 0, 0); });
    other.join();
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(plat::sendMessage(window, plat::kMsgUser, 0, 0), intptr_t(plat::kMsgUser + 1));
}

TEST_F(MessageCore, ActivationReachesEveryWindowThroughItsQueue) {
    plat::postAppActivation(false);
    plat::Message m;
    while (plat::peekMessage(m, true)) plat::dispatchMessage(m);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].message, plat::kMsgActivateApp);
    EXPECT_EQ(heard[0].wParam, 0u);
}

TEST_F(MessageCore, WindowsAreFoundByThreadAndTitle) {
    const auto windows = plat::threadWindows(std::this_thread::get_id());
    EXPECT_NE(std::find(windows.begin(), windows.end(), window), windows.end());
    EXPECT_EQ(plat::windowTitle(window), "test window");
    EXPECT_TRUE(plat::threadWindows(std::thread::id()).empty());
}

}  // namespace
