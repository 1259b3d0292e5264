#pragma once
// Times carried from one scale into another: a * b / c worked out in 128 bits, so that every
// 64-bit time and any scales give the exact quotient, rounded down (toward minus infinity) or,
// when `up`, up. `c` must be above 0.
#include <cstdint>

namespace plat::media {

int64_t scaleTime(int64_t a, int64_t b, int64_t c, bool up = false);

}  // namespace plat::media
