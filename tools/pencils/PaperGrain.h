#pragma once
// The paper's grain: a fixed pseudo-random value per picture position, so that textured
// pencils leave the same holes however often they pass over a place.
#include "engine/base/EngineTypes.h"

inline u32 paperGrain(i32 x, i32 y) {
    u32 h = u32(x) * 73856093u ^ u32(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}
