#include "platform/clock/Clock.h"

#include <atomic>
#include <ctime>
#include <map>
#include <vector>

namespace plat {
namespace {

class SystemClock : public ClockSource {
public:
    uint32_t millis() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        const uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
        return uint32_t(ms);
    }
};

SystemClock systemClock;
std::atomic<ClockSource*> current{&systemClock};

std::mutex listenersMutex;
// Held while listeners run, so that unsubscribing waits for a running call to finish
// and a listener is never called after its owner is gone. Recursive: a listener may unsubscribe.
std::recursive_mutex dispatchMutex;
std::map<int, ClockListener> listeners;
int nextListenerId = 1;

void notifyListeners() {
    std::lock_guard dispatch(dispatchMutex);
    std::vector<ClockListener> copy;
    {
        std::lock_guard lock(listenersMutex);
        for (auto& [id, listener] : listeners) copy.push_back(listener);
    }
    for (auto& listener : copy) listener();
}

}  // namespace

uint32_t clockMillis() { return current.load()->millis(); }

bool clockIsFake() { return current.load() != &systemClock; }

void setClockSource(ClockSource* source) { current.store(source ? source : &systemClock); }

int clockSubscribe(ClockListener listener) {
    std::lock_guard lock(listenersMutex);
    const int id = nextListenerId++;
    listeners.emplace(id, std::move(listener));
    return id;
}

void clockUnsubscribe(int id) {
    std::lock_guard dispatch(dispatchMutex);
    std::lock_guard lock(listenersMutex);
    listeners.erase(id);
}

uint32_t FakeClock::millis() {
    std::lock_guard lock(mutex_);
    return now_;
}

void FakeClock::set(uint32_t now) {
    {
        std::lock_guard lock(mutex_);
        now_ = now;
    }
    notifyListeners();
}

void FakeClock::advance(uint32_t ms) {
    {
        std::lock_guard lock(mutex_);
        now_ += ms;
    }
    notifyListeners();
}

ScopedFakeClock::ScopedFakeClock(uint32_t start) : clock_(start) { setClockSource(&clock_); }

ScopedFakeClock::~ScopedFakeClock() { setClockSource(nullptr); }

}  // namespace plat
