#include "engine/timers/MultimediaSource.h"

#include <algorithm>

#include "platform/clock/Clock.h"

MultimediaSource::MultimediaSource(MultimediaSources& owner) : owner_(owner) {
    std::lock_guard lock(owner_.mutex_);
    owner_.sources_.push_back(this);
}

MultimediaSource::~MultimediaSource() {
    std::lock_guard lock(owner_.mutex_);
    if (eventId_ != 0) owner_.service_.killEvent(eventId_);
    owner_.sources_.erase(std::find(owner_.sources_.begin(), owner_.sources_.end(), this));
}

EngineErr MultimediaSource::armStep() {
    step_ = std::clamp(remaining_, owner_.caps_.minPeriod, owner_.caps_.maxPeriod);
    eventId_ = owner_.service_.setEvent(step_, &MultimediaSources::onEvent, &owner_);
    return eventId_ != 0 ? kErrNone : kTimerErrCannotStart;
}

EngineErr MultimediaSource::start(u32 delayMs, TimerFire fire, void* argument) {
    std::lock_guard lock(owner_.mutex_);
    if (eventId_ != 0) owner_.service_.killEvent(eventId_);
    fire_ = fire;
    argument_ = argument;
    deadline_ = plat::clockMillis() + delayMs;
    remaining_ = delayMs;
    return armStep();
}

void MultimediaSource::stop() {
    std::lock_guard lock(owner_.mutex_);
    if (eventId_ != 0) owner_.service_.killEvent(eventId_);
    eventId_ = 0;
}

void MultimediaSource::stepEnded() {
    if (step_ >= remaining_) {
        fire_(argument_);
        return;
    }
    remaining_ -= step_;
    armStep();
}

MultimediaSources::MultimediaSources() : caps_(plat::MmTimerService::caps()) {}

MultimediaSources::~MultimediaSources() = default;

// The event names its source by id, so that an event of a source already gone finds nothing.
void MultimediaSources::onEvent(u32 eventId, void* context) {
    auto* owner = static_cast<MultimediaSources*>(context);
    std::lock_guard lock(owner->mutex_);
    for (MultimediaSource* source : owner->sources_) {
        if (source->eventId_ != eventId) continue;
        source->eventId_ = 0;
        source->stepEnded();
        return;
    }
}

void MultimediaSources::watchdog() {
    std::lock_guard lock(mutex_);
    const u32 now = plat::clockMillis();
    const std::vector<MultimediaSource*> sources = sources_;
    for (MultimediaSource* source : sources) {
        if (source->eventId_ == 0 || i32(now - source->deadline_) <= i32(kOverdueMs)) continue;
        service_.killEvent(source->eventId_);
        source->eventId_ = 0;
        source->stepEnded();
    }
}
