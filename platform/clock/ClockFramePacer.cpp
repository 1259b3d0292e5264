#include "platform/clock/ClockFramePacer.h"

#include "platform/clock/Clock.h"

namespace plat {

void ClockFramePacer::start() {
    std::lock_guard lock(mutex_);
    if (listener_ != 0) return;
    startMs_ = clockMillis();
    done_ = 0;
    listener_ = clockSubscribe([this] { tick(); });
}

void ClockFramePacer::stop() {
    int id = 0;
    {
        std::lock_guard lock(mutex_);
        id = listener_;
        listener_ = 0;
    }
    if (id != 0) clockUnsubscribe(id);
}

void ClockFramePacer::tick() {
    uint64_t first = 0, frames = 0;
    {
        std::lock_guard lock(mutex_);
        if (listener_ == 0) return;
        // The clock wraps after 49.7 days; the difference stays right across it.
        const uint64_t due = uint64_t(uint32_t(clockMillis() - startMs_)) * rate_ / 1000;
        if (due <= done_) return;
        first = done_;
        frames = due - done_;
        done_ = due;
    }
    step_(first, frames);
}

}  // namespace plat
