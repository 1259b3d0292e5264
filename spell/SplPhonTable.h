#pragma once
// The phonetic environment of a language, read from its ".env" file. The container (magic,
// version, language, the sixteen header words and the order of the blocks) is fixed; the
// blocks this engine gives its own layout are:
//   rule patterns   word 0 NUL-terminated strings (framed text: 'Y' word start, 'Z' word end)
//   pair table      word 1 pairs (letter, code); the index of a pair is its code in a key.
//                   Indexes 0-3 are marks, 4 is the pair (8, 11) that starts a spelled part,
//                   5 the pair (9, 11) that repeats the previous letter, word 3 the unknown
//                   pair (11, 11)
//   rule outputs    one byte per rule: below word 4 an ordinary code (output code + 16), 127
//                   none, otherwise replacement (value - word 4)
//   replacements    two NUL-terminated code lists per replacement (two-letter matches, longer)
//   bin table       sorted u16 bin words (first kept code << 8 | second kept code)
//   heard as        none, or one byte per pair: the letter the pair sounds as where letters
//                   are heard alike (its own letter elsewhere), 0 for a letter not heard
// Header words: 0 rule count, 1 pair count P, 2 single-bin byte, 3 unknown index, 4 number of
// ordinary codes, 5 first bin byte, 6 bin columns, 7-15 block sizes.
#include "engine/base/EngineTypes.h"

enum class SplKeyCompareKind : u8 { None, At, P };

constexpr int kPhonWords = 16;
constexpr u8 kPairIndexSpelled = 4;
constexpr u8 kPairIndexRepeat = 5;
constexpr u8 kPairLetterSeparator = 8;
constexpr u8 kPairLetterRepeat = 9;
constexpr u8 kPairCodeNone = 11;
constexpr u8 kPhonNoOutput = 127;

constexpr u16 kPhonRuleScan = 0xFFFF;

struct SplPhonRule {
    const u8* pattern;
    u8 second, length, output;
};

struct SplPhonTable {
    u8 kind = 0;
    u8 language = 0;
    u32 version = 0;  // 10 for version 1 files, 16 for version 2
    u16 words[kPhonWords] = {};
    u8* patternBlock = nullptr;
    const u8** patterns = nullptr;  // word 0 rules
    u8* pairs = nullptr;            // 2 * P bytes
    u8 letters1[512] = {}, letters1High[512] = {};
    u8 letters2[512] = {}, letters2High[512] = {};
    u8* outputs = nullptr;
    u8* replacementBlock = nullptr;
    const u8** replacements = nullptr;  // two per replacement
    u32 replacementCount = 0;
    u16* bins = nullptr;
    u32 binCount = 0;
    u8* heardAs = nullptr;  // null when the language hears every letter as written
    SplKeyCompareKind keyCompare = SplKeyCompareKind::None;
    // Rules sorted by pattern, and for each first byte the range of that order it starts.
    u16* ruleOrder = nullptr;
    u16 firstRule[257] = {};
    // Per place in that order what a match needs without following ruleOrder: the pattern, its
    // second byte (0 for a one-byte pattern, which rules out most patterns unread), its length
    // (at most 255) and its output.
    SplPhonRule* rules = nullptr;
    // What the rules answer at a place from its first two bytes alone: the match's length
    // times 256 plus its output, or kPhonRuleScan where a longer pattern must be read.
    u16 firstTwo[256][256] = {};
    // The bin position (below binCount) of each pair of kept codes, each 0 or 17-31.
    u16 binOfCodes[32][32] = {};
    // Index of each (letter, code) pair, 0 when the table has no such pair; codes 11 and 16-31.
    u8 pairIndex[256][32] = {};
};

SplPhonTable* splPhonOpen(const char* name, u32 offset, u32* error);
void splPhonClose(SplPhonTable* phon);
// The position among the bins of the last bin word not above binWord (0 when none is).
u32 splPhonBinPosition(const SplPhonTable* phon, u16 binWord);

inline u32 splPhonLetterCount(const SplPhonTable* phon) { return phon->words[1]; }
