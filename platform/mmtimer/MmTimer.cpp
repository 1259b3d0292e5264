#include "platform/mmtimer/MmTimer.h"

#include <chrono>

#include "platform/clock/Clock.h"

namespace plat {
namespace {

constexpr uint32_t kMinPeriod = 1;
constexpr uint32_t kMaxPeriod = 1000000;

// Deadlines wrap with the clock: compare through the signed difference.
bool isDue(uint32_t deadline, uint32_t now) { return int32_t(now - deadline) >= 0; }

}  // namespace

MmTimerService::MmTimerService() {
    clockListener_ = clockSubscribe([this] { settleAfterClockMove(); });
    thread_ = std::thread([this] { run(); });
}

MmTimerService::~MmTimerService() {
    clockUnsubscribe(clockListener_);
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wakeup_.notify_all();
    settled_.notify_all();
    thread_.join();
}

MmTimerCaps MmTimerService::caps() { return {kMinPeriod, kMaxPeriod}; }

uint32_t MmTimerService::setEvent(uint32_t delayMs, Callback callback, void* context) {
    std::lock_guard lock(mutex_);
    const uint32_t id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    events_[id] = Event{clockMillis() + delayMs, callback, context};
    wake_ = true;
    wakeup_.notify_all();
    return id;
}

void MmTimerService::killEvent(uint32_t eventId) {
    std::lock_guard lock(mutex_);
    events_.erase(eventId);
}

void MmTimerService::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        ++passesStarted_;
        wake_ = false;
        fireDue(lock);
        passesDone_ = passesStarted_;
        settled_.notify_all();
        waitForWork(lock);
    }
}

// Fires due events earliest first; each callback runs unlocked and may change the events.
void MmTimerService::fireDue(std::unique_lock<std::mutex>& lock) {
    for (;;) {
        const uint32_t now = clockMillis();
        auto earliest = events_.end();
        for (auto it = events_.begin(); it != events_.end(); ++it) {
            if (!isDue(it->second.deadline, now)) continue;
            if (earliest == events_.end() || int32_t(it->second.deadline - earliest->second.deadline) < 0) earliest = it;
        }
        if (earliest == events_.end() || quit_) return;
        const uint32_t id = earliest->first;
        const Event event = earliest->second;
        events_.erase(earliest);
        lock.unlock();
        event.callback(id, event.context);
        lock.lock();
    }
}

void MmTimerService::waitForWork(std::unique_lock<std::mutex>& lock) {
    auto woken = [this] { return wake_ || quit_; };
    if (events_.empty() || clockIsFake()) {
        wakeup_.wait(lock, woken);
        return;
    }
    const uint32_t now = clockMillis();
    int32_t soonest = INT32_MAX;
    for (const auto& [id, event] : events_) soonest = std::min(soonest, int32_t(event.deadline - now));
    wakeup_.wait_for(lock, std::chrono::milliseconds(std::max(soonest, 0)), woken);
}

// Runs on the thread that moved a fake clock: waits for a pass of the timer thread that
// began after the move.
void MmTimerService::settleAfterClockMove() {
    std::unique_lock lock(mutex_);
    const uint64_t wanted = passesStarted_ + 1;
    wake_ = true;
    wakeup_.notify_all();
    settled_.wait(lock, [&] { return passesDone_ >= wanted || quit_; });
}

}  // namespace plat
