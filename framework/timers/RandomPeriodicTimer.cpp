#include "framework/timers/RandomPeriodicTimer.h"

#include "engine/base/RandomNumbers.h"

namespace Ostrel {
namespace {

constexpr u32 kPeriodStepMs = 100;

}  // namespace

RandomPeriodicTimer::RandomPeriodicTimer(CListener* owner, u32 code, uintptr_t param1, u16 param2)
    : RTimer(owner, kTimerPeriodic, code, param1, param2) {}

void RandomPeriodicTimer::Start(u32, u32, uintptr_t, u16) {}

u32 RandomPeriodicTimer::DrawMs() const {
    // Periods of 100 ms steps from a 32-bit count of milliseconds fit a signed draw.
    return u32(RandomInRange(i32(minPeriod_), i32(maxPeriod_))) * kPeriodStepMs;
}

void RandomPeriodicTimer::StartRandom(u32 minMs, u32 maxMs, u32 code, uintptr_t param1, u16 param2) {
    minPeriod_ = minMs / kPeriodStepMs;
    maxPeriod_ = maxMs / kPeriodStepMs;
    RTimer::Start(DrawMs(), code, param1, param2);
}

void RandomPeriodicTimer::Rearm() {
    deadline_ += DrawMs();
}

}  // namespace Ostrel
