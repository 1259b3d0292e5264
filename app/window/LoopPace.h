#pragma once
// How often the program's loop wakes when nobody touches it. The loop's timer runs the idle
// step and the window's tick, which draws what changed on the screen. While the screen changes
// (an animation, a caret, a stroke) or input comes, the timer runs at the loop's period; once
// the screen has stood still for kQuietTicks ticks it slows to kQuietLoopPeriod, which a child
// does not notice (input wakes the loop at once whatever the period, and what it changes is
// shown at once) but the machine does: ten wakes a second are all a still screen costs.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kQuietLoopPeriod = 100;
constexpr u32 kQuietTicks = 20;

class LoopPace {
public:
    explicit LoopPace(u32 busyPeriod) : busyPeriod_(busyPeriod) {}

    // After a tick that drew (or did not draw) something: the timer period to run at now.
    u32 AfterTick(bool drew);
    // After input: the loop's own period.
    u32 AfterInput();
    u32 Period() const { return quietTicks_ >= kQuietTicks ? kQuietLoopPeriod : busyPeriod_; }

private:
    u32 busyPeriod_;
    u32 quietTicks_ = 0;
};

}  // namespace Ostrel
