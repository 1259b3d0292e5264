#pragma once
// A periodic timer whose every period is drawn anew from a range, in steps of 100 ms. Plain
// Start does nothing: it runs only through StartRandom. A range whose end lies below its
// start gives periods of its start.
#include "framework/timers/RTimer.h"

namespace Ostrel {

class RandomPeriodicTimer : public RTimer {
public:
    RandomPeriodicTimer(CListener* owner, u32 code, uintptr_t param1 = 0, u16 param2 = 0);

    void Start(u32 intervalMs, u32 code = 0, uintptr_t param1 = 0, u16 param2 = 0) override;
    void StartRandom(u32 minMs, u32 maxMs, u32 code = 0, uintptr_t param1 = 0, u16 param2 = 0);
    void Rearm() override;

    u32 MinPeriod() const { return minPeriod_; }
    u32 MaxPeriod() const { return maxPeriod_; }

private:
    u32 DrawMs() const;

    u32 minPeriod_ = 0;
    u32 maxPeriod_ = 0;
};

}  // namespace Ostrel
