#include "framework/timers/RTimer.h"

#include "platform/clock/Clock.h"

namespace Ostrel {
namespace {

bool reached(u32 now, u32 deadline) {
    return i32(now - deadline) >= 0;
}

}  // namespace

RTimer::RTimer(CListener* owner, u32 kind, u32 code, uintptr_t param1, u16 param2)
    : RSender(kTimerSenderTag), owner_(owner), kind_(kind), code_(code), param1_(param1), param2_(param2) {}

void RTimer::Start(u32 intervalMs, u32 code, uintptr_t param1, u16 param2) {
    if (code) code_ = code;
    if (param1) param1_ = param1;
    if (param2) param2_ = param2;
    const u32 now = plat::clockMillis();
    deadline_ = now + intervalMs;
    interval_ = intervalMs;
    // Started while the window is inactive: only the inactive time from now on moves the new
    // deadline, not the time before it was set.
    if (!enabled_) pausedAt_ = now;
    if (!running_) Register(kInputTick | kInputActivation);
    running_ = true;
}

RTimer::~RTimer() {
    if (destroyedDuringStop_) *destroyedDuringStop_ = true;
}

void RTimer::Stop() {
    RMessage stop(kTimerCodeStop, 0, 0);
    stop.sender = this;
    bool destroyed = false;
    bool* const outer = destroyedDuringStop_;
    destroyedDuringStop_ = &destroyed;
    Broadcast(&stop);
    if (destroyed) {
        if (outer) *outer = true;
        return;
    }
    destroyedDuringStop_ = outer;
    running_ = false;
}

void RTimer::Poll(u32 now) {
    if (!enabled_ || !running_ || !reached(now, deadline_)) return;
    PostMessageTo(owner_, code_, param1_, param2_);
    if (kind_ & kTimerOneShot) {
        Stop();
    } else if (kind_ & kTimerPeriodic) {
        const u32 previous = deadline_;
        Rearm();
        // A stall longer than a period: the next one counts from now, not from long ago.
        if (reached(now, deadline_)) deadline_ = now + (deadline_ - previous);
    }
}

void RTimer::ShiftDeadline(u32 now) {
    deadline_ += now - pausedAt_;
}

void RTimer::Rearm() {
    deadline_ += interval_;
}

u32 RTimer::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code == kTimerCodeStop && !running_) Unregister();
    return 0;
}

void RTimer::HandleActivation(u32 state) {
    const u32 now = plat::clockMillis();
    if (!state) {
        if (enabled_) pausedAt_ = now;
        enabled_ = false;
        return;
    }
    // Only time that was spent inactive moves the deadline.
    if (!enabled_) ShiftDeadline(now);
    enabled_ = true;
}

}  // namespace Ostrel
