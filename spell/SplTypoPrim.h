#pragma once
// One-edit comparisons: whether a candidate is the typed word with one slip, and which slip.
// Letters equal after folding (an accent) pass but add to a penalty.
#include "engine/base/EngineTypes.h"

// Typo kinds, the tiers of the correction ranking.
constexpr u32 kTypoAccent = 0;     // the words differ only in letters that fold together
constexpr u32 kTypoExchange = 1;   // two adjacent letters exchanged
constexpr u32 kTypoExtra = 2;      // the typed word has one letter more
constexpr u32 kTypoMissing = 3;    // the typed word has one letter less
constexpr u32 kTypoReplaced = 4;   // one letter replaced
constexpr u32 kTypoFirstLetter = 5;  // the first letter replaced

// 1 when longstr is shortstr with exactly `inscnt` letters inserted; 0 otherwise, and for
// lengths that do not differ by inscnt.
int splTypoInsertCompare(const u8* longstr, const u8* shortstr, const u8* fold, u32 inscnt, u32* penalty);
// 1 with the kind 0, 1, 4 or 5 when two words of one length are one slip apart; 0 otherwise.
int splTypoSameLength(const u8* word1, const u8* word2, const u8* fold, u32* kind, u32* penalty);

struct SplTypoWord {
    const u8* word = nullptr;
    u32 length = 0;
    const u8* fold = nullptr;
    i32 tolerance = 0;  // the largest length difference taken when positive
};
// The candidate against a prepared typed word: kind 2 or 3 by insertion, else the same-length
// comparison. 1 when one slip apart.
int splTypoTolerance(const u8* candidate, const SplTypoWord* typed, u32* kind, u32* penalty);
