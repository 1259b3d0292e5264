#pragma once
// Times carried from one scale into another: a * b / c worked out in 128 bits, so that every
// 64-bit time and any scales give the exact quotient, rounded down (toward minus infinity) or,
// when `up`, up. `c` must be above 0.
#include <cstdint>

namespace plat::media {

int64_t scaleTime(int64_t a, int64_t b, int64_t c, bool up = false);

// The frame at `rate` where a read of sound from `time` (units of `timeScale`) starts: on from
// `next`, where the last read ended (-1: none), when the time lies within a unit of it, since
// units cannot name every frame; otherwise the time's own frame.
int64_t soundFrameOf(int64_t time, int64_t rate, int64_t timeScale, int64_t next);

}  // namespace plat::media
