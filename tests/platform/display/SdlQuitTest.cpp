// Quit requests through the SDL display on SDL's dummy video driver: the desktop's SDL_QUIT
// and a caught SIGTERM both reach the program as its window's kMsgClose.
#include <SDL.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include "SdlDummySupport.h"
#include "platform/display/sdl/InputWatcher.h"
#include "platform/display/QuitSignals.h"

namespace plat {
namespace {

using Handler = void (*)(int);

Handler currentHandler(int signal) {
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

bool readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, 0) == 1 && (watched.revents & POLLIN);
}

class SdlQuit : public testing::SdlDummyDisplay {
protected:
    void SetUp() override {
        before = currentHandler(SIGTERM);
        SdlDummyDisplay::SetUp();
    }
    std::vector<uint32_t> pumpedMessages() {
        sdl->pumpEvents();
        std::vector<uint32_t> kinds;
        for (const Message& m : drain()) {
            EXPECT_EQ(m.window, window);
            kinds.push_back(m.message);
        }
        return kinds;
    }

    Handler before = SIG_DFL;
};

TEST_F(SdlQuit, TheDesktopsQuitClosesTheWindow) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_EQ(pumpedMessages(), std::vector<uint32_t>{kMsgClose});
    EXPECT_EQ(pumpedMessages(), std::vector<uint32_t>{}) << "one request, one close";
}

TEST_F(SdlQuit, TerminationSignalClosesTheWindowInsteadOfKillingTheProcess) {
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(readable(quitSignalDescriptor())) << "the watcher would be woken";
    EXPECT_EQ(pumpedMessages(), std::vector<uint32_t>{kMsgClose});
    EXPECT_FALSE(readable(quitSignalDescriptor())) << "taken as it was delivered";
    EXPECT_EQ(pumpedMessages(), std::vector<uint32_t>{});
}

TEST_F(SdlQuit, TheProcessesOwnHandlingComesBackWhenTheDisplayEnds) {
    EXPECT_NE(currentHandler(SIGTERM), before);
    TearDown();
    EXPECT_EQ(currentHandler(SIGTERM), before);
}

TEST(QuitSignalWatch, ACaughtSignalWakesTheMessageWait) {
    QuitSignalCatcher catcher;
    takeQuitSignal();
    // A wake kept from earlier posts would end the wait below on its own: spend it first.
    wakeThread(std::this_thread::get_id());
    waitForMessage();
    InputWatcher watcher(-1, quitSignalDescriptor(), std::this_thread::get_id());
    // Watchdog: if the watcher never wakes the wait, this wake ends it and the test fails.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false, watchdogFired = false;
    std::thread watchdog([&, ui = std::this_thread::get_id()] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) {
            watchdogFired = true;
            wakeThread(ui);
        }
    });
    ASSERT_EQ(std::raise(SIGTERM), 0);
    waitForMessage();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    EXPECT_FALSE(watchdogFired);
    EXPECT_TRUE(takeQuitSignal());
    EXPECT_FALSE(takeQuitSignal());
}

}  // namespace
}  // namespace plat
