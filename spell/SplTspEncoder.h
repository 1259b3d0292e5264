#pragma once
// Proximity coding for the walk over a letter tree: a framed word ("Y" + letters + "Z") is cut
// into the longest patterns of the lexicon's encoder (layout in spell/SplTrieLexicon.h), each
// letter getting a code or none (and standing for itself or for the letter its pattern names),
// and the codes are split into two strings: A, the sounding codes (16-25), and B, the letters the
// consonants stand for with a byte for each change of vowel quality.
// Coding can stop where the letters still to come cannot change it and go on from there, so
// that a walk extends a parent's codes instead of coding each path again.
#include "engine/base/EngineTypes.h"
#include "spell/SplTrieLexicon.h"

constexpr u32 kTspMaxCodes = 2 * kTrieMaxWord + 8;
constexpr u8 kTspVowelCode = 16;
constexpr u8 kTspLastSounding = 25;
constexpr u8 kTspStartVowel = 17;

struct SplTspCodes {
    u8 a[kTspMaxCodes] = {};
    u8 b[kTspMaxCodes] = {};
};

// Where coding stands: the next text position to code, the code lengths so far and the vowel
// code of the last vowel (kTspStartVowel before the first).
struct SplTspEncState {
    u32 position = 0;
    u32 aLength = 0;
    u32 bLength = 0;
    u8 vowel = kTspStartVowel;
};

// The vowels of a language, the first repeated (a vowel's code is 16 + its place after the
// first); null for a language without them.
const char* splTspVowels(int language);

// Codes text[from.position, length) after from's lengths into codes. *end receives the state
// after the last text, *stable the state after the last pattern that no text past `fixed`
// positions could change (from itself when there is none).
void splTspEncode(const SplTrieLexicon* lex, const u8* vowels, const u8* unaccent, const u8* text, u32 length,
                  u32 fixed, const SplTspEncState& from, SplTspCodes* codes, SplTspEncState* end,
                  SplTspEncState* stable);
