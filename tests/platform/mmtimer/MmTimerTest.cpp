#include "platform/mmtimer/MmTimer.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

#include "platform/clock/Clock.h"

namespace {

struct Fired {
    std::mutex mutex;
    std::vector<std::pair<uintptr_t, uint32_t>> calls;  // (context, time of the call)
};
Fired* fired = nullptr;

void note(uint32_t, void* context) {
    std::lock_guard lock(fired->mutex);
    fired->calls.emplace_back(reinterpret_cast<uintptr_t>(context), plat::clockMillis());
}

class MmTimerTest : public ::testing::Test {
protected:
    MmTimerTest() { fired = &fired_; }
    ~MmTimerTest() override { fired = nullptr; }
    std::vector<uintptr_t> order() {
        std::lock_guard lock(fired_.mutex);
        std::vector<uintptr_t> result;
        for (auto& c : fired_.calls) result.push_back(c.first);
        return result;
    }
    static void* tag(uintptr_t n) { return reinterpret_cast<void*>(n); }

    plat::ScopedFakeClock clock_{0xFFFFFF00u};  // close to the wrap of the clock
    Fired fired_;
    plat::MmTimerService service_;
};

TEST_F(MmTimerTest, FiresOnlyOnceTheDeadlineIsReached) {
    service_.setEvent(10, note, tag(1));
    clock_.advance(9);
    EXPECT_TRUE(order().empty());
    clock_.advance(1);
    EXPECT_EQ(order(), std::vector<uintptr_t>{1});
    clock_.advance(100);
    EXPECT_EQ(order().size(), 1u);
}

TEST_F(MmTimerTest, FiresEarliestFirstAcrossTheClockWrap) {
    service_.setEvent(300, note, tag(3));
    service_.setEvent(200, note, tag(2));  // past the wrap at 0x100 ms from now
    service_.setEvent(50, note, tag(1));
    clock_.advance(1000);
    EXPECT_EQ(order(), (std::vector<uintptr_t>{1, 2, 3}));
}

TEST_F(MmTimerTest, AKilledEventNeverFires) {
    const uint32_t id = service_.setEvent(5, note, tag(1));
    service_.setEvent(6, note, tag(2));
    service_.killEvent(id);
    clock_.advance(10);
    EXPECT_EQ(order(), std::vector<uintptr_t>{2});
}

struct Chain {
    plat::MmTimerService* service;
    int left;
};

void rearm(uint32_t, void* context) {
    auto* chain = static_cast<Chain*>(context);
    note(0, nullptr);
    if (--chain->left > 0) chain->service->setEvent(4, rearm, chain);
}

TEST_F(MmTimerTest, ACallbackMaySetTheNextEvent) {
    Chain chain{&service_, 3};
    service_.setEvent(4, rearm, &chain);
    for (int i = 0; i < 3; ++i) clock_.advance(4);
    EXPECT_EQ(order().size(), 3u);
    EXPECT_EQ(chain.left, 0);
}

TEST(MmTimerRealClock, FiresWithoutAnyoneMovingTheClock) {
    plat::MmTimerService service;
    std::promise<void> done;
    service.setEvent(1, [](uint32_t, void* context) { static_cast<std::promise<void>*>(context)->set_value(); }, &done);
    EXPECT_EQ(done.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

}  // namespace
