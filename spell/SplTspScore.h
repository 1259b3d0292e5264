#pragma once
// The two similarity scores of the proximity walk over a letter tree, in 1/65536 units (65535
// for equal strings): a forward overlap of two code strings weighted to their fronts, and a
// backward overlap combined with it. The counts and the forward sum carry from the first to
// the second, so the second follows the first on the same strings.
#include "engine/base/EngineTypes.h"

struct SplTspScorer {
    i16 counts[256] = {};
    u32 sum = 0;
};

// x (length a) against y cut to length b.
u32 splTspScoreForward(const u8* x, u32 a, const u8* y, u32 b, SplTspScorer* s);
u32 splTspScoreBoth(const u8* x, u32 a, const u8* y, u32 b, SplTspScorer* s);
