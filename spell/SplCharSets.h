#pragma once
// The engine's single-byte character sets and each language's letter classes. Bytes 0-127 are
// ASCII in every set. A language outside 1-28 answers null tables.
#include "engine/base/EngineTypes.h"

// Character-type bits, the same meaning in every set.
constexpr u8 kCtSeparator = 0x01;
constexpr u8 kCtInternal = 0x02;  // apostrophe, hyphen, period (and byte 250 in set 1)
constexpr u8 kCtLower = 0x04;
constexpr u8 kCtUpper = 0x08;
constexpr u8 kCtCaseless = 0x10;
constexpr u8 kCtDigit = 0x20;
constexpr u8 kCtHex = 0x40;

// Letter-class bits of a language.
constexpr u8 kLcWriting = 0x01;
constexpr u8 kLcUpper = 0x02;
constexpr u8 kLcLower = 0x04;
constexpr u8 kLcPunct = 0x08;
constexpr u8 kLcVowel = 0x20;
constexpr u8 kLcAccented = 0x40;

// 1-5, or 0 for a language outside 1-28.
int splCharSetOf(int language);
const u8* splLowerTable(int language);
const u8* splUpperTable(int language);
const u8* splUnaccentTable(int language);
const u8* splTypeTable(int language);
// Null for a language without a letter-class table (all but 1, 4 and 6).
const u8* splLetterClassTable(int language);
// Copies word into out through the lower-case table (out has room for the word and its NUL).
void splLowerCopy(u8* out, const u8* word, int language);
