#pragma once
// Blocks a system thread until a moment on the program's clock arrives or another thread
// wakes it, whichever comes first. With a fake clock installed the deadline is reached only
// when a test advances the clock, so idle loops stay deterministic and never spin.
// One thread waits; any thread may wake it. A wake given while nobody waits is kept for the
// next wait.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace plat {

class ClockWaiter {
public:
    ClockWaiter();
    ~ClockWaiter();
    ClockWaiter(const ClockWaiter&) = delete;
    ClockWaiter& operator=(const ClockWaiter&) = delete;

    // Thread-safe.
    void wake();
    // Returns true when woken, false when the deadline was reached. Without a deadline only a
    // wake ends the wait.
    bool waitUntil(std::optional<uint32_t> deadline);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool woken_ = false;
    int listener_ = 0;
};

// Whether `moment` has arrived at time `now` on the wrapping millisecond clock: moments up
// to half the clock's range in the past count as arrived.
inline bool clockReached(uint32_t now, uint32_t moment) { return int32_t(now - moment) >= 0; }

}  // namespace plat
