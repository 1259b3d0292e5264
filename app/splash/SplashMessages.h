#pragma once
// The splash screen's message to itself: the animation has ended, or the child has had enough.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kMsgSplashEnd = 700;

}  // namespace Ostrel
