#pragma once
// The 80-bit IEEE extended number in which AIFF stores its sample rate: a sign bit and a
// 15-bit exponent biased by 16383, then a 64-bit mantissa with an explicit integer bit.
#include <array>

#include "engine/base/EngineTypes.h"

// The rate rounded to whole hertz; 0 for a negative, zero, infinite or unnormal value or one
// above 2^32 - 1.
u32 readExtendedRate(const u8* bytes);
std::array<u8, 10> writeExtendedRate(u32 rate);
