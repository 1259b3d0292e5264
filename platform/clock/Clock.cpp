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

// The source installed by a test; none means the system's clock. A plain pointer, so that it
// stays valid however late a static destructor elsewhere asks for the time.
std::atomic<ClockSource*> current{nullptr};

ClockSource& systemClock() {
    static ClockSource* const clock = new SystemClock;
    return *clock;
}

struct Listeners {
    std::mutex mutex;
    // Held while listeners run, so that unsubscribing waits for a running call to finish and
    // a listener is never called after its owner is gone. Recursive: a listener may
    // unsubscribe.
    std::recursive_mutex dispatch;
    std::map<int, ClockListener> byId;
    int nextId = 1;
};

// Never destroyed, as the system clock: objects with static storage in other files unsubscribe from their
// destructors, which may run after this file's own statics are gone when a program ends
// without shutting its services down.
Listeners& listeners() {
    static Listeners* const all = new Listeners;
    return *all;
}

void notifyListeners() {
    Listeners& all = listeners();
    std::lock_guard dispatch(all.dispatch);
    std::vector<ClockListener> copy;
    {
        std::lock_guard lock(all.mutex);
        for (auto& [id, listener] : all.byId) copy.push_back(listener);
    }
    for (auto& listener : copy) listener();
}

}  // namespace

uint32_t clockMillis() {
    ClockSource* const source = current.load();
    return source ? source->millis() : systemClock().millis();
}

bool clockIsFake() { return current.load() != nullptr; }

void setClockSource(ClockSource* source) { current.store(source); }

int clockSubscribe(ClockListener listener) {
    Listeners& all = listeners();
    std::lock_guard lock(all.mutex);
    const int id = all.nextId++;
    all.byId.emplace(id, std::move(listener));
    return id;
}

void clockUnsubscribe(int id) {
    Listeners& all = listeners();
    std::lock_guard dispatch(all.dispatch);
    std::lock_guard lock(all.mutex);
    all.byId.erase(id);
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
