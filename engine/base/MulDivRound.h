#pragma once
// Scaling by a ratio with rounding: (a × b + c / 2) / c on a 32-bit product, dividing toward
// zero (c / 2 rounds toward minus infinity, as an arithmetic shift does). A divisor of 0 gives 0.
#include "engine/base/EngineTypes.h"

i32 MulDivRound(i16 a, i16 b, i16 c);
