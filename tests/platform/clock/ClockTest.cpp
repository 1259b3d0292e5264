#include "platform/clock/Clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, FakeClockReplacesSystemTimeAndWraps) {
    {
        plat::ScopedFakeClock fake(0xFFFFFFF0u);
        EXPECT_TRUE(plat::clockIsFake());
        EXPECT_EQ(plat::clockMillis(), 0xFFFFFFF0u);
        fake.advance(0x20);
        EXPECT_EQ(plat::clockMillis(), 0x10u);
        EXPECT_EQ(uint32_t(plat::clockMillis() - 0xFFFFFFF0u), 0x20u);
    }
    EXPECT_FALSE(plat::clockIsFake());
}

TEST(Clock, SystemClockNeverGoesBack) {
    const uint32_t first = plat::clockMillis();
    const uint32_t second = plat::clockMillis();
    EXPECT_LT(uint32_t(second - first), 1000u);
}

TEST(Clock, ListenersHearEveryFakeAdvanceUntilUnsubscribed) {
    plat::ScopedFakeClock fake(100);
    std::vector<uint32_t> heard;
    const int id = plat::clockSubscribe([&] { heard.push_back(plat::clockMillis()); });
    fake.advance(5);
    fake.clock().set(500);
    plat::clockUnsubscribe(id);
    fake.advance(1);
    EXPECT_EQ(heard, (std::vector<uint32_t>{105, 500}));
}

TEST(Clock, ListenerMayUnsubscribeItself) {
    plat::ScopedFakeClock fake;
    int calls = 0;
    int id = 0;
    id = plat::clockSubscribe([&] {
        ++calls;
        plat::clockUnsubscribe(id);
    });
    fake.advance(1);
    fake.advance(1);
    EXPECT_EQ(calls, 1);
}

}  // namespace
