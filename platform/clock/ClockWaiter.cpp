#include "platform/clock/ClockWaiter.h"

#include <chrono>

#include "platform/clock/Clock.h"

namespace plat {

ClockWaiter::ClockWaiter() {
    listener_ = clockSubscribe([this] {
        std::lock_guard lock(mutex_);
        changed_.notify_all();
    });
}

ClockWaiter::~ClockWaiter() { clockUnsubscribe(listener_); }

void ClockWaiter::wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
}

bool ClockWaiter::waitUntil(std::optional<uint32_t> deadline) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (woken_) {
            woken_ = false;
            return true;
        }
        const uint32_t now = clockMillis();
        if (deadline && clockReached(now, *deadline)) return false;
        if (!deadline || clockIsFake()) {
            changed_.wait(lock);
        } else {
            changed_.wait_for(lock, std::chrono::milliseconds(*deadline - now));
        }
    }
}

}  // namespace plat
