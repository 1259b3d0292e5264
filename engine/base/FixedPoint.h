#pragma once
// Signed 16.16 fixed point for gains, rates, steps, scales and positions. The operations do
// not saturate: a result that does not fit gives the marker kFixedOverflow, which callers test.
#include "engine/base/EngineTypes.h"

constexpr Fixed kFixedOverflow = Fixed(0x80000000u);

// The product rounded toward minus infinity.
Fixed fixedMul(Fixed a, Fixed b);
// The quotient truncated toward zero; division by 0 overflows.
Fixed fixedDiv(Fixed a, Fixed b);
