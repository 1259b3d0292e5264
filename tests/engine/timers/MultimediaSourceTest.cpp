#include "engine/timers/MultimediaSource.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock/Clock.h"
#include "tests/engine/timers/SilentClock.h"

namespace {

struct Shots {
    std::atomic<int> count{0};
    std::atomic<u32> at{0};
};

void shoot(void* argument) {
    auto* shots = static_cast<Shots*>(argument);
    shots->at = plat::clockMillis();
    ++shots->count;
}

class MultimediaSourceTest : public ::testing::Test {
protected:
    plat::ScopedFakeClock clock_{1000};
    MultimediaSources sources_;
    Shots shots_;
};

TEST_F(MultimediaSourceTest, FiresOnceAtTheDeadline) {
    MultimediaSource source(sources_);
    ASSERT_EQ(source.start(25, shoot, &shots_), kErrNone);
    clock_.advance(24);
    EXPECT_EQ(shots_.count, 0);
    clock_.advance(1);
    EXPECT_EQ(shots_.count, 1);
    EXPECT_EQ(shots_.at, 1025u);
    clock_.advance(100);
    EXPECT_EQ(shots_.count, 1);
}

TEST_F(MultimediaSourceTest, ALongDelayIsReachedInSeveralSteps) {
    const u32 longest = plat::MmTimerService::caps().maxPeriod;
    MultimediaSource source(sources_);
    ASSERT_EQ(source.start(2 * longest + 500, shoot, &shots_), kErrNone);
    clock_.advance(longest);
    clock_.advance(longest);
    clock_.advance(499);
    EXPECT_EQ(shots_.count, 0);
    clock_.advance(1);
    EXPECT_EQ(shots_.count, 1);
}

TEST_F(MultimediaSourceTest, AStoppedOrRestartedSourceKeepsOnlyItsNewDeadline) {
    MultimediaSource source(sources_);
    ASSERT_EQ(source.start(10, shoot, &shots_), kErrNone);
    source.stop();
    clock_.advance(20);
    EXPECT_EQ(shots_.count, 0);
    ASSERT_EQ(source.start(10, shoot, &shots_), kErrNone);
    ASSERT_EQ(source.start(30, shoot, &shots_), kErrNone);
    clock_.advance(10);
    EXPECT_EQ(shots_.count, 0);
    clock_.advance(20);
    EXPECT_EQ(shots_.count, 1);
}

TEST_F(MultimediaSourceTest, TheWatchdogLeavesHealthySourcesAlone) {
    MultimediaSource source(sources_);
    ASSERT_EQ(source.start(50, shoot, &shots_), kErrNone);
    clock_.advance(20);
    sources_.watchdog();
    EXPECT_EQ(shots_.count, 0);
    clock_.advance(30);
    EXPECT_EQ(shots_.count, 1);
    sources_.watchdog();
    EXPECT_EQ(shots_.count, 1);
}

TEST_F(MultimediaSourceTest, ASourceDestroyedWhileArmedNeverFires) {
    {
        MultimediaSource source(sources_);
        ASSERT_EQ(source.start(5, shoot, &shots_), kErrNone);
    }
    clock_.advance(10);
    EXPECT_EQ(shots_.count, 0);
}

TEST(MultimediaWatchdog, FiresASourceWhoseEventWasLost) {
    SilentClock clock;
    plat::setClockSource(&clock);
    {
        MultimediaSources sources;
        MultimediaSource source(sources);
        Shots shots;
        ASSERT_EQ(source.start(10, shoot, &shots), kErrNone);
        clock.settle();
        clock.now = 1020;  // 10 ms overdue: still within the grace
        sources.watchdog();
        EXPECT_EQ(shots.count, 0);
        clock.now = 1021;
        sources.watchdog();
        EXPECT_EQ(shots.count, 1);
        sources.watchdog();
        EXPECT_EQ(shots.count, 1);
    }
    plat::setClockSource(nullptr);
}

}  // namespace
