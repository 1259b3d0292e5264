#pragma once
// Word shape: how a word was written (lower case, capitalised, capitals, with a final period,
// as initials, or odd) and the lower-case lookup form under which lexicons store it.
#include "engine/base/EngineTypes.h"

constexpr u32 kIwCommon = 1;
constexpr u32 kIwProper = 2;
constexpr u32 kIwCaps = 3;
constexpr u32 kIwEndDot = 4;
constexpr u32 kIwAllDot = 8;
constexpr u32 kIwVerbatim = 16;

constexpr int kSplShapeOutSize = 128;  // room for a lookup form, the separator and the spelling

// Shape flags of word (1 to 127 bytes) and its lookup form in outword (kSplShapeOutSize bytes);
// 0 when the word holds the separator byte 8, or when an odd word's lookup form with its
// spelling would not fit the output.
u32 do_flag(const u8* word, u8* outword, int language);
// A left half, byte 8 and a right half: the right half's shape flags and the pair's form.
u32 pair_dof(const u8* pair, u8* outword, int language);
// A word with marks 4, 5 or 6.
u32 hyph_dof(const u8* word, u8* outword, int language);
// 3 for a word pair (holds byte 8), 2 for a word with marks, else 1.
int splEntryKind(const u8* word);
// The verifier's entry: 0 for an empty word or one of 64 characters or more.
u32 doflags(const u8* word, u8* outword, int language);
