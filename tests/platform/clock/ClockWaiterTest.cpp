#include "platform/clock/ClockWaiter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/clock/Clock.h"

namespace {

TEST(ClockWaiter, KeepsAWakeGivenBeforeTheWait) {
    plat::ScopedFakeClock fake(10);
    plat::ClockWaiter waiter;
    waiter.wake();
    EXPECT_TRUE(waiter.waitUntil(std::nullopt));
}

TEST(ClockWaiter, ReturnsAtOnceForADeadlineAlreadyReached) {
    plat::ScopedFakeClock fake(100);
    plat::ClockWaiter waiter;
    EXPECT_FALSE(waiter.waitUntil(100u));
    EXPECT_FALSE(waiter.waitUntil(40u));
}

TEST(ClockWaiter, FakeClockMovingPastTheDeadlineEndsTheWait) {
    plat::ScopedFakeClock fake(0xFFFFFFF0u);
    plat::ClockWaiter waiter;
    std::atomic<bool> done{false};
    std::thread mover([&] {
        while (!done.load()) fake.advance(4);
    });
    EXPECT_FALSE(waiter.waitUntil(0x10u));  // past the clock's wrap
    done = true;
    mover.join();
    EXPECT_TRUE(plat::clockReached(plat::clockMillis(), 0x10u));
}

TEST(ClockWaiter, WakeFromAnotherThreadEndsAnEndlessWait) {
    plat::ClockWaiter waiter;
    std::thread waker([&] { waiter.wake(); });
    EXPECT_TRUE(waiter.waitUntil(std::nullopt));
    waker.join();
}

TEST(ClockWaiter, ReachedComparesAcrossTheWrap) {
    EXPECT_TRUE(plat::clockReached(5, 0xFFFFFFF0u));
    EXPECT_FALSE(plat::clockReached(0xFFFFFFF0u, 5));
    EXPECT_TRUE(plat::clockReached(7, 7));
}

}  // namespace
