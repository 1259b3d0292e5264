#pragma once
// Similarity scores of the correction search, in 1/65536 units (65535 = equal), and the code
// sequence that the second score compares.
#include "engine/base/EngineTypes.h"

constexpr u32 kScoreEqual = 65535;
constexpr u32 kScoreMaxLetters = 22;
constexpr u32 kSeqMax = 256;

// Letter overlap of two byte strings aligned at their ends (both cut to 22 bytes).
u32 splFirstScore(const u8* a, u32 la, const u8* b, u32 lb);

// The two scores of code strings (values below kCodeLimit, as splCodeSequence makes them):
// forward overlap, then the same combined with the backward overlap. `sum` carries the forward
// sum from the first to the second.
constexpr u32 kCodeLimit = 1024;
struct SplCodeScore {
    i32 counts[kCodeLimit] = {};
    u32 sum = 0;
};
u32 splScoreForward(const u16* x, u32 a, const u16* y, u32 b, SplCodeScore* s);
u32 splScoreBoth(const u16* x, u32 a, const u16* y, u32 b, SplCodeScore* s);

// Code sequence of a pair string (letters and class transitions as 16-bit values below
// kCodeLimit, at most kSeqMax of them); the number of coded letters and of class changes.
u32 splCodeSequence(const u8* pairs, u16* seq, u32* coded, u32* changes, bool ess);
