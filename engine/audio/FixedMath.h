#pragma once
// 16.16 multiply and divide with the engine's overflow marker, for the mixer's gains, steps
// and frame arithmetic. Neither saturates: a result that does not fit is kFixedOverflow.
#include "engine/EngineTypes.h"

constexpr Fixed kFixedOverflow = Fixed(0x80000000u);

constexpr Fixed fixedMul(Fixed a, Fixed b) {
    const i64 product = i64(a) * i64(b);
    const i64 high = product >> 47;
    if (high != 0 && high != -1) return kFixedOverflow;
    return Fixed(product >> 16);
}

constexpr Fixed fixedDiv(Fixed a, Fixed b) {
    if (b == 0) return kFixedOverflow;
    const u64 magA = a < 0 ? u64(-i64(a)) : u64(a);
    const u64 magB = b < 0 ? u64(-i64(b)) : u64(b);
    const u64 quotient = magA / magB;
    if (quotient >= 65536) return kFixedOverflow;
    const u64 fraction = ((magA % magB) << 32) / magB;
    const u32 magnitude = u32((quotient << 16) | (fraction >> 16));
    return ((a < 0) != (b < 0)) ? Fixed(-i64(magnitude)) : Fixed(magnitude);
}
