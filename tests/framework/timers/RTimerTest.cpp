#include "framework/timers/RTimer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/base/RandomNumbers.h"
#include "framework/input/RInputRegistry.h"
#include "framework/input/RInputRouter.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/timers/RandomPeriodicTimer.h"
#include "platform/clock/Clock.h"
#include "tests/framework/messaging/MessagingFixtures.h"

namespace {

using namespace Ostrel;

constexpr u32 kBeforeWrap = 0xFFFFFF00u;

class Timers : public ::testing::Test {
protected:
    // Delivers what the timers posted and answers how many messages the owner heard.
    size_t delivered() {
        const size_t before = log_.size();
        mfDispatcher().DispatchQueuedMessages();
        return log_.size() - before;
    }
    // Sets the clock and lets the main window's tick reach the registered objects.
    size_t pollAt(u32 now) {
        clock_.clock().set(now);
        router_.Tick(now);
        return delivered();
    }

    fwtest::QueueReset reset_;
    fwtest::Log log_;
    fwtest::Recorder owner_{log_, "owner"};
    plat::ScopedFakeClock clock_{0};
    RInputRouter router_;
};

struct OneShotCase {
    const char* name;
    u32 start;
};

class OneShotTimers : public Timers, public ::testing::WithParamInterface<OneShotCase> {};

TEST_P(OneShotTimers, FiresOnceAtItsDeadlineAcrossTheWrap) {
    const u32 start = GetParam().start;
    clock_.clock().set(start);
    RTimer timer(&owner_, kTimerOneShot, 1);
    timer.Start(500, 0, 42, 7);
    EXPECT_TRUE(timer.IsRegistered());
    EXPECT_EQ(pollAt(start + 499), 0u);
    EXPECT_EQ(pollAt(start + 500), 1u);
    EXPECT_EQ(owner_.last.code, 1u);
    EXPECT_EQ(owner_.last.param1, 42u);
    EXPECT_EQ(owner_.last.param2, 7);
    EXPECT_EQ(owner_.last.sender, &timer);
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(pollAt(start + 501), 0u);
    EXPECT_EQ(pollAt(start + 100000), 0u);
}

INSTANTIATE_TEST_SUITE_P(Starts, OneShotTimers,
                         ::testing::Values(OneShotCase{"Early", 1000}, OneShotCase{"BeforeWrap", kBeforeWrap},
                                           OneShotCase{"AtWrap", 0xFFFFFE0Cu}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Timers, PeriodicTimerFiresOncePerLatePollAndNeverInABurst) {
    clock_.clock().set(kBeforeWrap);
    RTimer timer(&owner_, kTimerPeriodic, kTimerCodeTimeOut);
    timer.Start(100);
    EXPECT_EQ(pollAt(kBeforeWrap + 99), 0u);
    EXPECT_EQ(pollAt(kBeforeWrap + 100), 1u);
    EXPECT_EQ(timer.Deadline(), kBeforeWrap + 200) << "counted from the previous deadline";
    EXPECT_EQ(pollAt(kBeforeWrap + 250), 1u);
    EXPECT_EQ(timer.Deadline(), kBeforeWrap + 300);
    // A stall of many periods.
    EXPECT_EQ(pollAt(kBeforeWrap + 60000), 1u);
    EXPECT_EQ(timer.Deadline(), kBeforeWrap + 60100);
    EXPECT_EQ(pollAt(kBeforeWrap + 60001), 0u);
    EXPECT_EQ(pollAt(kBeforeWrap + 60100), 1u);
    EXPECT_EQ(owner_.last.code, kTimerCodeTimeOut);
}

TEST_F(Timers, InactiveTimeDoesNotCountAndAFreshActivationShiftsNothing) {
    clock_.clock().set(5000);
    RTimer timer(&owner_, kTimerOneShot, 1);
    timer.Start(1000);
    clock_.clock().set(5500);
    router_.Activation(1);
    EXPECT_EQ(timer.Deadline(), 6000u);
    router_.Activation(0);
    EXPECT_EQ(pollAt(6500), 0u) << "no firing while inactive";
    clock_.clock().set(7000);
    router_.Activation(0);
    clock_.clock().set(7500);
    router_.Activation(1);
    EXPECT_EQ(timer.Deadline(), 8000u) << "deactivated for 2 s";
    EXPECT_EQ(pollAt(7999), 0u);
    EXPECT_EQ(pollAt(8000), 1u);
}

TEST_F(Timers, RestartWhileInactiveCountsOnlyTheInactiveTimeAfterIt) {
    clock_.clock().set(1000);
    RTimer timer(&owner_, kTimerOneShot, 1);
    timer.Start(100);
    timer.Stop();
    router_.Activation(0);
    clock_.clock().set(60000);
    timer.Start(500);
    clock_.clock().set(60100);
    router_.Activation(1);
    EXPECT_EQ(timer.Deadline(), 60600u) << "inactive for 100 ms since the start";
    EXPECT_EQ(pollAt(60599), 0u);
    EXPECT_EQ(pollAt(60600), 1u);
}

TEST_F(Timers, StopTellsListenersAtOnceAndALaterStopUnregisters) {
    fwtest::Recorder watcher(log_, "watcher");
    RTimer timer(&owner_, kTimerOneShot, 1);
    timer.AddListener(&watcher);
    timer.Start(10);
    timer.Stop();
    ASSERT_EQ(log_, fwtest::Log{"watcher:" + std::to_string(kTimerCodeStop)});
    EXPECT_TRUE(timer.IsRegistered());
    RMessage stop(kTimerCodeStop, 0, 0);
    timer.HandleMessage(&stop, 0);
    EXPECT_FALSE(timer.IsRegistered());
    timer.Start(10);
    EXPECT_TRUE(timer.IsRegistered());
    EXPECT_EQ(timer.GetInputMask(), kInputTick | kInputActivation);
    timer.HandleMessage(&stop, 0);
    EXPECT_TRUE(timer.IsRegistered()) << "a running timer stays polled";
}

TEST_F(Timers, AListenerMayDeleteTheTimerWhenItStops) {
    fwtest::Recorder watcher(log_, "watcher");
    auto* timer = new RTimer(&owner_, kTimerOneShot, 1);
    timer->AddListener(&watcher);
    watcher.onMessage = [&](const RMessage& message) {
        if (message.code == kTimerCodeStop) delete timer;
    };
    timer->Start(10);
    // The message the timer posted goes with it, as every record of a deleted sender does.
    EXPECT_EQ(pollAt(10), 0u);
    EXPECT_EQ(log_, fwtest::Log{"watcher:" + std::to_string(kTimerCodeStop)});
    EXPECT_EQ(inputObjectCount(), 0) << "the deleted timer left the input objects";
    EXPECT_EQ(pollAt(20), 0u);
}

TEST_F(Timers, StartKeepsWhatZeroArgumentsDoNotReplace) {
    RTimer timer(&owner_, kTimerOneShot, 1, 5, 6);
    timer.Start(0, 9, 0, 0);
    EXPECT_EQ(pollAt(0), 1u);
    EXPECT_EQ(owner_.last.code, 9u);
    EXPECT_EQ(owner_.last.param1, 5u);
    EXPECT_EQ(owner_.last.param2, 6);
}

struct RandomCase {
    u32 minMs;
    u32 maxMs;
    u32 lowest;
    u32 highest;
};

class RandomTimers : public Timers, public ::testing::WithParamInterface<RandomCase> {};

TEST_P(RandomTimers, PeriodsAreWholeStepsInsideTheRange) {
    const RandomCase& c = GetParam();
    sharedRandom().seed(77);
    RandomPeriodicTimer timer(&owner_, kTimerCodeTimeOut);
    timer.StartRandom(c.minMs, c.maxMs);
    ASSERT_TRUE(timer.IsRunning());
    std::set<u32> periods{timer.Interval()};
    for (int i = 0; i < 400; ++i) {
        const u32 before = timer.Deadline();
        timer.Rearm();
        periods.insert(timer.Deadline() - before);
    }
    EXPECT_EQ(*periods.begin(), c.lowest);
    EXPECT_EQ(*periods.rbegin(), c.highest);
    for (u32 period : periods) EXPECT_EQ(period % 100, 0u) << period;
}

INSTANTIATE_TEST_SUITE_P(Ranges, RandomTimers,
                         ::testing::Values(RandomCase{1000, 3000, 1000, 3000}, RandomCase{1050, 1099, 1000, 1000},
                                           RandomCase{3000, 1000, 3000, 3000}, RandomCase{0, 99, 0, 0}));

TEST_F(Timers, RandomTimerIgnoresPlainStart) {
    RandomPeriodicTimer timer(&owner_, kTimerCodeTimeOut);
    timer.Start(100);
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_FALSE(timer.IsRegistered());
    EXPECT_EQ(pollAt(1000), 0u);
}

}  // namespace
