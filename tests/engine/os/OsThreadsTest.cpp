#include "engine/os/OsThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/os/OsManager.h"
#include "platform/clock/Clock.h"

namespace {

// Engine threads run lambdas; the fixture owns them so that their captures outlive them.
class EngineThreads : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(osmInit(nullptr), kErrNone); }
    void TearDown() override { osmShutdown(); }

    osmThread* spawn(std::function<void()> body, u16 priority = kOsmDefaultPriority, bool resume = true) {
        bodies.push_back(std::make_unique<std::function<void()>>(std::move(body)));
        osmThread* thread = osmCreateThread([](void* b) { (*static_cast<std::function<void()>*>(b))(); },
                                            bodies.back().get(), 4096, priority);
        if (thread && resume) osmResumeThread(thread);
        return thread;
    }
    // A body that notes its name and yields, `times` over.
    std::function<void()> yieldingLogger(const char* name, int times) {
        return [this, name, times] {
            for (int i = 0; i < times; i++) {
                log.push_back(name);
                osmSleep(0);
            }
        };
    }
    void joinAll(std::initializer_list<osmThread*> threads) {
        for (osmThread* t : threads) EXPECT_EQ(osmWaitForObject(t, kOsmNoTimeout), kErrNone);
    }

    plat::ScopedFakeClock clock{1000};
    std::vector<std::unique_ptr<std::function<void()>>> bodies;
    std::vector<std::string> log;
};

TEST_F(EngineThreads, ThreadRunsOnlyOnceResumed) {
    osmThread* t = spawn([&] { log.push_back("ran"); }, kOsmDefaultPriority, false);
    ASSERT_NE(t, nullptr);
    osmSleep(0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(osmResumeThread(t), kErrNone);
    osmSleep(0);
    EXPECT_EQ(log, (std::vector<std::string>{"ran"}));
    EXPECT_EQ(osmResumeThread(t), kOsmErrThreadFinished);
    EXPECT_EQ(osmWaitForObject(t, 0), kErrNone);
}

TEST_F(EngineThreads, EqualPrioritiesAlternateAtEveryYield) {
    osmThread* a = spawn(yieldingLogger("a", 3));
    osmThread* b = spawn(yieldingLogger("b", 3));
    joinAll({a, b});
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a", "b", "a", "b"}));
}

TEST_F(EngineThreads, HigherBasePriorityRunsFirstWhileEligible) {
    osmThread* low = spawn(yieldingLogger("low", 2));
    osmThread* high = spawn(yieldingLogger("high", 2), kOsmHighPriority);
    joinAll({low, high});
    EXPECT_EQ(log, (std::vector<std::string>{"high", "high", "low", "low"}));
}

TEST_F(EngineThreads, LongestWaitingThreadWinsAmongEquals) {
    osmThread* older = spawn([&] { log.push_back("older"); }, kOsmDefaultPriority, false);
    osmThread* newer = spawn([&] {
        log.push_back("newer");
        clock.advance(10);
        osmResumeThread(older);
        osmSleep(0);  // the main thread comes first in the ring but ran more recently
        log.push_back("newer again");
    });
    osmSleep(0);
    joinAll({older, newer});
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "newer");
    EXPECT_EQ(log[1], "older");
}

TEST_F(EngineThreads, SleeperIsNotChosenBeforeItsWakeTime) {
    osmThread* sleeper = spawn([&] {
        osmSleep(100);
        log.push_back("woke at " + std::to_string(plat::clockMillis()));
    });
    osmSleep(0);
    for (int i = 0; i < 4; i++) {
        clock.advance(25);
        osmSleep(0);
        log.push_back("main at " + std::to_string(plat::clockMillis()));
    }
    joinAll({sleeper});
    EXPECT_EQ(log, (std::vector<std::string>{"main at 1025", "main at 1050", "main at 1075", "woke at 1100",
                                             "main at 1100"}));
}

TEST_F(EngineThreads, TimeSliceTickSwitchesAThreadThatOnlyYieldsWhenItsSliceEnds) {
    std::atomic<int> spins{0};
    osmThread* spinner = spawn([&] {
        for (int i = 0; i < 3; i++) {
            log.push_back("spinner");
            clock.advance(kOsmTimeSlice);
            osmSleep(kOsmNoTimeout);  // yields only when the slice has run out
            spins++;
        }
    });
    osmSleep(0);
    log.push_back("main");
    joinAll({spinner});
    EXPECT_EQ(log, (std::vector<std::string>{"spinner", "main", "spinner", "spinner"}));
}

TEST_F(EngineThreads, WaitWithZeroTimeoutOnUnavailableObjectTimesOutAtOnce) {
    osmEvent* event = osmCreateEvent(0);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(osmWaitForObject(event, 0), kOsmErrTimeout);
    EXPECT_EQ(osmGetLastError(), kOsmErrTimeout);
    EXPECT_EQ(osmSignalEvent(event), kErrNone);
    EXPECT_EQ(osmWaitForObject(event, 0), kErrNone);
    EXPECT_EQ(osmWaitForObject(event, 0), kErrNone);  // manual reset: stays set
    EXPECT_EQ(osmResetEvent(event), kErrNone);
    EXPECT_EQ(osmWaitForObject(event, 0), kOsmErrTimeout);
    EXPECT_EQ(osmDeleteObject(event), kErrNone);
}

TEST(EngineThreadsWrap, WaitEndingPastTheClockWrapTimesOutOnTime) {
    plat::ScopedFakeClock clock(0xFFFFFFE0u);
    ASSERT_EQ(osmInit(nullptr), kErrNone);
    osmEvent* event = osmCreateEvent(0);
    std::vector<u32> ticks;
    bool waitDone = false;
    auto helperBody = [&] {
        while (!waitDone) {
            clock.advance(8);
            ticks.push_back(plat::clockMillis());
            osmSleep(0);
        }
    };
    std::function<void()> helper = helperBody;
    osmThread* t = osmCreateThread([](void* f) { (*static_cast<std::function<void()>*>(f))(); }, &helper, 0, 1);
    osmResumeThread(t);
    const u32 start = plat::clockMillis();
    EXPECT_EQ(osmWaitForObject(event, 0x30), kOsmErrTimeout);
    const u32 waited = plat::clockMillis() - start;
    waitDone = true;
    EXPECT_GE(waited, 0x30u);
    EXPECT_LT(waited, 0x38u);
    EXPECT_EQ(osmWaitForObject(t, kOsmNoTimeout), kErrNone);
    osmShutdown();
}

TEST_F(EngineThreads, IdleSchedulerWakesWhenTheFakeClockReachesATimeout) {
    osmEvent* event = osmCreateEvent(0);
    std::atomic<bool> done{false};
    std::thread mover([&] {
        while (!done.load()) clock.advance(5);
    });
    EXPECT_EQ(osmWaitForObject(event, 50), kOsmErrTimeout);
    done = true;
    mover.join();
}

TEST_F(EngineThreads, EventSetFromAnotherSystemThreadReleasesTheWaiter) {
    osmEvent* event = osmCreateEvent(0);
    std::thread setter([&] { osmSignalEvent(event); });
    EXPECT_EQ(osmWaitForObject(event, kOsmNoTimeout), kErrNone);
    setter.join();
}

TEST_F(EngineThreads, EventChangesWaitWhileTheThreadLockIsHeld) {
    osmEvent* event = osmCreateEvent(0);
    osmEnterLock(osmThreadsLock());
    EXPECT_EQ(osmSignalEvent(event), kErrNone);
    EXPECT_EQ(event->signalled, 0);
    osmLeaveLock(osmThreadsLock());
    EXPECT_EQ(osmWaitForObject(event, 0), kErrNone);
    osmEnterLock(osmThreadsLock());
    EXPECT_EQ(osmResetEvent(event), kErrNone);
    EXPECT_EQ(event->signalled, 1);
    osmLeaveLock(osmThreadsLock());
    EXPECT_EQ(osmWaitForObject(event, 0), kOsmErrTimeout);
}

TEST_F(EngineThreads, DestroyingAnEventReleasesItsWaitersWith301) {
    osmEvent* event = osmCreateEvent(0);
    EngineErr results[2] = {0, 0};
    osmThread* a = spawn([&] { results[0] = osmWaitForObject(event, kOsmNoTimeout); });
    osmThread* b = spawn([&] { results[1] = osmWaitForObject(event, 500); });
    osmSleep(0);
    EXPECT_EQ(osmDeleteObject(event), kErrNone);
    joinAll({a, b});
    EXPECT_EQ(results[0], kOsmErrObjectDestroyed);
    EXPECT_EQ(results[1], kOsmErrObjectDestroyed);
}

TEST_F(EngineThreads, RecursiveMutexGoesToWaitersInTheOrderTheyCame) {
    osmMutex* mutex = osmCreateMutex(0);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(osmWaitForObject(mutex, kOsmNoTimeout), kErrNone);
    EXPECT_EQ(osmWaitForObject(mutex, kOsmNoTimeout), kErrNone);
    auto contender = [&](const char* name) {
        return [&, name] {
            log.push_back(std::string(name) + " waits");
            EXPECT_EQ(osmWaitForObject(mutex, kOsmNoTimeout), kErrNone);
            log.push_back(std::string(name) + " owns");
            osmSleep(0);
            EXPECT_EQ(osmReleaseMutex(mutex), kErrNone);
        };
    };
    osmThread* c = spawn(contender("c"), kOsmDefaultPriority, false);
    osmThread* a = spawn(contender("a"), kOsmDefaultPriority, false);
    osmThread* b = spawn(contender("b"), kOsmDefaultPriority, false);
    for (osmThread* t : {a, b, c}) {
        osmResumeThread(t);
        osmSleep(0);
    }
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(osmReleaseMutex(mutex), kErrNone);
        osmSleep(0);
    }
    log.push_back("main releases last");
    EXPECT_EQ(osmReleaseMutex(mutex), kErrNone);
    EXPECT_EQ(osmReleaseMutex(mutex), kOsmErrNotOwner);  // already handed to the first waiter
    joinAll({a, b, c});
    EXPECT_EQ(log, (std::vector<std::string>{"a waits", "b waits", "c waits", "main releases last", "a owns",
                                             "b owns", "c owns"}));
}

TEST_F(EngineThreads, ReleasingAnotherThreadsMutexIsRefused) {
    osmMutex* mutex = osmCreateMutex(0);
    EngineErr result = 0;
    osmThread* t = spawn([&] { result = osmReleaseMutex(mutex); });
    joinAll({t});
    EXPECT_EQ(result, kOsmErrNotOwner);
    EXPECT_EQ(osmReleaseMutex(mutex), kErrNone);
}

TEST_F(EngineThreads, FinishingThreadHandsItsMutexesOn) {
    osmMutex* mutex = osmCreateMutex(1);
    osmThread* owner = spawn([&] { osmWaitForObject(mutex, kOsmNoTimeout); });
    joinAll({owner});
    EXPECT_EQ(osmWaitForObject(mutex, 0), kErrNone);
    EXPECT_EQ(mutex->owner(), osmGetMainThread());
}

TEST_F(EngineThreads, MutexOwnerWaitingForTheCallerIsAnEndlessWait) {
    osmMutex* mine = osmCreateMutex(0);
    osmMutex* theirs = osmCreateMutex(1);
    EngineErr deadlock = 0;
    osmThread* t = spawn([&] {
        osmWaitForObject(theirs, kOsmNoTimeout);
        osmWaitForObject(mine, kOsmNoTimeout);  // blocks: main owns it
        osmReleaseMutex(mine);
        osmReleaseMutex(theirs);
    });
    osmSleep(0);
    deadlock = osmWaitForObject(theirs, kOsmNoTimeout);
    EXPECT_EQ(deadlock, kOsmErrEndlessWait);
    EXPECT_EQ(osmWaitForObject(theirs, 10), kOsmErrTimeout);
    osmReleaseMutex(mine);
    joinAll({t});
}

TEST_F(EngineThreads, RefusalsCarryTheirCodes) {
    EXPECT_EQ(osmSuspendThread(osmGetMainThread()), kOsmErrOnlyRunnable);
    EXPECT_EQ(osmDeleteObject(osmGetMainThread()), kOsmErrNotAllowed);
    EXPECT_EQ(osmResumeThread(nullptr), kOsmErrBadObject);
    EXPECT_EQ(osmReleaseMutex(nullptr), kOsmErrBadObject);
    EXPECT_EQ(osmWaitForObject(nullptr, 0), kOsmErrBadObject);
    EXPECT_EQ(osmResumeThread(osmGetMainThread()), kOsmErrCounterLimit);
    EXPECT_EQ(osmPermitSwitching(), kOsmErrCounterLimit);

    osmMutex* mutex = osmCreateMutex(1);
    EXPECT_EQ(osmReleaseMutex(mutex), kOsmErrCounterLimit);
    osmThread* t = spawn([&] {
        osmWaitForObject(mutex, kOsmNoTimeout);
        osmSleep(0);
        osmReleaseMutex(mutex);
    });
    osmSleep(0);
    EXPECT_EQ(osmDeleteObject(mutex), kOsmErrOwnedByOther);
    joinAll({t});
    EXPECT_EQ(osmDeleteObject(mutex), kErrNone);
}

TEST_F(EngineThreads, ForbiddenSwitchingKeepsTheCurrentThread) {
    osmThread* t = spawn([&] { log.push_back("other"); });
    EXPECT_EQ(osmForbidSwitching(), kErrNone);
    osmSleep(0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(osmWaitForObject(t, 10), kOsmErrTimeout);
    EXPECT_EQ(osmWaitForObject(t, kOsmNoTimeout), kOsmErrEndlessWait);
    EXPECT_EQ(osmSuspendThread(osmGetMainThread()), kOsmErrSwitchingForbidden);
    EXPECT_EQ(osmPermitSwitching(), kErrNone);
    joinAll({t});
    EXPECT_EQ(log, (std::vector<std::string>{"other"}));
}

TEST_F(EngineThreads, SuspendedThreadStopsUntilResumed) {
    osmThread* t = spawn([&] {
        log.push_back("before");
        osmSuspendThread(osmGetCurrentThread());
        log.push_back("after");
    });
    osmSleep(0);
    osmSleep(0);
    EXPECT_EQ(log, (std::vector<std::string>{"before"}));
    EXPECT_EQ(osmResumeThread(t), kErrNone);
    joinAll({t});
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
}

TEST_F(EngineThreads, RunThreadHandsOverAndTheCallerComesBackFirst) {
    osmThread* other = spawn([&] {
        log.push_back("other");
        osmSleep(0);
        log.push_back("other again");
    });
    osmThread* target = spawn([&] {
        log.push_back("target");
        osmSleep(0);
        log.push_back("target again");
    });
    EXPECT_EQ(osmRunThread(target), kErrNone);
    log.push_back("main");
    joinAll({other, target});
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "target");
    EXPECT_EQ(log[1], "main");
}

TEST_F(EngineThreads, RunThreadChangesNothingWhenTheSchedulerPicksAnother) {
    osmThread* suspended = spawn([&] { log.push_back("suspended"); }, kOsmDefaultPriority, false);
    osmThread* other = spawn([&] { log.push_back("other"); });
    EXPECT_EQ(osmRunThread(suspended), kErrNone);  // not eligible: the other one would be chosen
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(suspended->boostPriority, 0);
    EXPECT_EQ(osmGetMainThread()->boostPriority, 0);
    EXPECT_NE(osmGetMainThread()->sliceEnd, 0u);
    osmResumeThread(suspended);
    joinAll({suspended, other});
    EXPECT_EQ(osmRunThread(other), kOsmErrThreadFinished);
}

TEST_F(EngineThreads, ThreadMayDeleteItself) {
    osmThread* t = spawn([&] {
        log.push_back("deleting");
        osmDeleteObject(osmGetCurrentThread());
        log.push_back("never");
    });
    osmSleep(0);
    osmSleep(0);
    EXPECT_EQ(log, (std::vector<std::string>{"deleting"}));
    (void)t;
}

TEST_F(EngineThreads, DeletingAllThreadsRefusesNewOnes) {
    osmThread* t = spawn([&] {
        log.push_back("started");
        osmSleep(0);
        log.push_back("never");
    });
    osmSleep(0);
    osmDeleteAllThreads();
    EXPECT_TRUE(osmIsShutDown());
    EXPECT_EQ(osmCreateThread([](void*) {}, nullptr, 0, 1), nullptr);
    EXPECT_EQ(osmGetLastError(), kOsmErrShutDown);
    EXPECT_EQ(osmWaitForObject(t, kOsmNoTimeout), kErrNone);
    osmSleep(0);
    EXPECT_EQ(log, (std::vector<std::string>{"started"}));
}

TEST_F(EngineThreads, DeletingAllThreadsFromAThreadReturnsToTheWaitingMainThread) {
    osmEvent* never = osmCreateEvent(0);
    spawn([&] {
        log.push_back("ending all");
        osmDeleteAllThreads();
        log.push_back("never");
    });
    EXPECT_EQ(osmWaitForObject(never, kOsmNoTimeout), kErrNone);
    EXPECT_EQ(osmGetCurrentThread(), osmGetMainThread());
    EXPECT_EQ(never->firstWaiter, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"ending all"}));
}

}  // namespace
