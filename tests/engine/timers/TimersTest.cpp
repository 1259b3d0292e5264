#include "engine/timers/Timers.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/os/OsIntervalTasks.h"
#include "engine/os/OsLock.h"
#include "engine/os/OsManager.h"
#include "platform/clock/Clock.h"
#include "tests/engine/timers/SilentClock.h"

namespace {

struct Call {
    TimerRecord* timer;
    u32 user;
    u32 at;
};

std::vector<Call>* calls = nullptr;
// What a callback does besides noting the call.
std::function<void(TimerRecord*)>* inside = nullptr;

void note(TimerRecord* timer, u32 user) {
    calls->push_back({timer, user, plat::clockMillis()});
    if (*inside) (*inside)(timer);
}

class EngineTimers : public ::testing::Test {
protected:
    void SetUp() override {
        calls = &calls_;
        inside = &inside_;
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(timerInit(), kErrNone);
    }
    void TearDown() override {
        timerShutdown();
        osmShutdown();
        calls = nullptr;
        inside = nullptr;
    }
    // Moves time on; the expiries the timer thread posted are then delivered here.
    void advance(u32 ms) {
        clock_.advance(ms);
        osmLockRunForeignPosts();
    }
    std::vector<u32> times() const {
        std::vector<u32> result;
        for (const Call& c : calls_) result.push_back(c.at);
        return result;
    }

    plat::ScopedFakeClock clock_{1000};
    std::vector<Call> calls_;
    std::function<void(TimerRecord*)> inside_;
};

TEST_F(EngineTimers, AOneShotTimerFiresOnceAndIsReused) {
    TimerRecord* timer = timerCreate(10, 0, note, 7);
    ASSERT_NE(timer, nullptr);
    advance(9);
    EXPECT_TRUE(calls_.empty());
    advance(1);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].timer, timer);
    EXPECT_EQ(calls_[0].user, 7u);
    EXPECT_EQ(calls_[0].at, 1010u);
    advance(100);
    EXPECT_EQ(calls_.size(), 1u);
    EXPECT_EQ(timerDelete(timer), kTimerErrBadRecord);  // already back on the free list
    EXPECT_EQ(timerCreate(5, 0, note, 0), timer);
}

TEST_F(EngineTimers, APeriodicTimerCatchesUpWithoutDrift) {
    ASSERT_NE(timerCreate(10, 10, note, 0), nullptr);
    advance(10);
    advance(14);  // the second expiry is delivered 4 ms late: the next comes 6 ms later
    advance(5);
    EXPECT_EQ(times(), (std::vector<u32>{1010, 1024}));
    advance(1);
    EXPECT_EQ(times(), (std::vector<u32>{1010, 1024, 1030}));
}

TEST_F(EngineTimers, AnExpiryMoreThanAPeriodLateComesBackAfter1Ms) {
    ASSERT_NE(timerCreate(10, 10, note, 0), nullptr);
    advance(10);
    advance(25);
    advance(1);
    EXPECT_EQ(times(), (std::vector<u32>{1010, 1035, 1036}));
}

TEST_F(EngineTimers, ACallbackCreatingATimerRearmsItsOwnRecordFromItsDeadline) {
    TimerRecord* again = nullptr;
    inside_ = [&](TimerRecord*) {
        inside_ = nullptr;
        again = timerCreate(10, 0, note, 1);
    };
    TimerRecord* timer = timerCreate(10, 0, note, 0);
    advance(13);  // 3 ms late
    EXPECT_EQ(again, timer);
    advance(6);
    EXPECT_EQ(calls_.size(), 1u);
    advance(1);
    EXPECT_EQ(times(), (std::vector<u32>{1013, 1020}));
}

TEST_F(EngineTimers, ACallbackMayDeleteOnlyItself) {
    TimerRecord* other = timerCreate(50, 0, note, 2);
    EngineErr deletingOther = kErrNone;
    EngineErr deletingSelf = 1;
    inside_ = [&](TimerRecord* self) {
        deletingOther = timerDelete(other);
        deletingSelf = timerDelete(self);
    };
    ASSERT_NE(timerCreate(10, 10, note, 1), nullptr);
    advance(10);
    EXPECT_EQ(deletingOther, kTimerErrBadRecord);
    EXPECT_EQ(deletingSelf, kErrNone);
    inside_ = nullptr;
    advance(40);
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].user, 2u);  // the periodic one never came back
}

TEST_F(EngineTimers, AnExpiryArrivingDuringTheCallbackThatDeletesItsTimerIsDropped) {
    inside_ = [&](TimerRecord* self) {
        if (calls_.size() != 1) return;
        ASSERT_EQ(timerCreate(1, 0, note, 0), self);
        clock_.advance(5);  // the timer thread posts the new expiry while the callback runs
        EXPECT_EQ(timerDelete(self), kErrNone);
    };
    TimerRecord* timer = timerCreate(10, 0, note, 0);
    advance(10);
    advance(10);
    EXPECT_EQ(calls_.size(), 1u);
    EXPECT_EQ(timerDelete(timer), kTimerErrBadRecord);
}

TEST_F(EngineTimers, ADeletedTimerWithAnExpiryInFlightIsFreedWhenItArrives) {
    TimerRecord* timer = timerCreate(10, 0, note, 0);
    timerEnterLock();
    advance(10);  // posted, held back by the lock
    EXPECT_EQ(timerDelete(timer), kErrNone);
    TimerRecord* other = timerCreate(100, 0, note, 0);
    EXPECT_NE(other, timer);
    timerLeaveLock();
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(timerCreate(100, 0, note, 0), timer);
}

TEST_F(EngineTimers, HoldingTheTimerLockDefersCallbacks) {
    ASSERT_NE(timerCreate(10, 0, note, 0), nullptr);
    timerEnterLock();
    advance(10);
    EXPECT_TRUE(calls_.empty());
    timerLeaveLock();
    EXPECT_EQ(times(), std::vector<u32>{1010});
}

TEST_F(EngineTimers, RefusesRecordsThatAreNotTimers) {
    EXPECT_EQ(timerDelete(nullptr), kTimerErrBadRecord);
    TimerRecord* timer = timerCreate(10, 0, note, 0);
    EXPECT_EQ(timerDelete(timer), kErrNone);
    EXPECT_EQ(timerDelete(timer), kTimerErrBadRecord);
}

TEST(EngineTimerWatchdog, ALostExpiryOfAPeriodicTimerFiresAndRearmsIt) {
    SilentClock clock;
    plat::setClockSource(&clock);
    ASSERT_EQ(osmInit(nullptr), kErrNone);
    ASSERT_EQ(timerInit(), kErrNone);
    static int fired;
    fired = 0;
    // The watchdog fires on the user-interface thread, where the callback runs at once and
    // the periodic timer starts its source again.
    ASSERT_NE(timerCreate(10, 10, [](TimerRecord*, u32) { ++fired; }, 0), nullptr);
    clock.settle();
    clock.now = 1021;
    osmDispatchTasks(clock.now, 1);
    EXPECT_EQ(fired, 1);
    clock.settle();
    clock.now = 1042;
    osmDispatchTasks(clock.now, 1);
    EXPECT_EQ(fired, 2);
    timerShutdown();
    osmShutdown();
    plat::setClockSource(nullptr);
}

}  // namespace
