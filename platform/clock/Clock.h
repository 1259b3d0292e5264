#pragma once
// The one millisecond clock of the program: schedulers, timers and animations all read it.
// Time is a u32 that wraps after about 49.7 days: the engine stores and compares times in
// 32 bits, so the clock wraps where they do, and every comparison of two times must be made
// on their difference.
//
// Tests replace the source with a FakeClock and advance it by hand; services that wait for
// a moment in time subscribe to be woken when a fake clock moves. Any thread may read the
// clock; installing a source is done by one test thread while no service is waiting.
#include <cstdint>
#include <functional>
#include <mutex>

namespace plat {

class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual uint32_t millis() = 0;
};

uint32_t clockMillis();

// True while a fake source is installed: waiters must not rely on real time passing.
bool clockIsFake();

// nullptr puts the system clock back.
void setClockSource(ClockSource* source);

using ClockListener = std::function<void()>;
// Called (on the advancing thread) after a fake clock moves. Returns an id for unsubscribing.
int clockSubscribe(ClockListener listener);
void clockUnsubscribe(int id);

class FakeClock : public ClockSource {
public:
    explicit FakeClock(uint32_t start = 0) : now_(start) {}
    uint32_t millis() override;
    void set(uint32_t now);
    void advance(uint32_t ms);

private:
    std::mutex mutex_;
    uint32_t now_;
};

// Installs a fake clock for the lifetime of a test and restores the system clock after.
class ScopedFakeClock {
public:
    explicit ScopedFakeClock(uint32_t start = 0);
    ~ScopedFakeClock();
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;
    FakeClock& clock() { return clock_; }
    void advance(uint32_t ms) { clock_.advance(ms); }

private:
    FakeClock clock_;
};

}  // namespace plat
