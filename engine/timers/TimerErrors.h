#pragma once
// Error codes of the engine timers (band 102xx).
#include "engine/base/EngineTypes.h"

constexpr EngineErr kTimerErrCannotStart = 10200;
constexpr EngineErr kTimerErrBadRecord = 10251;
