#pragma once
// The speed knob of the audio panel: a scale of 71 points from its origin, slower to the left
// of its middle (origin + 35) and faster to the right; 16.16 fixed-point rates from 20480
// (0.3125) to 137216 (about 2.09), normal speed at the middle and off the scale.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr i32 kKnobHalf = 35;
constexpr u32 kNormalRate = 0x10000;

u32 PlaybackRateAt(i32 position, i32 origin);

}  // namespace Ostrel
