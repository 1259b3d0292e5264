#pragma once
// The suffix-class table of a main lexicon, kept in its tag area (flag 0x0800). An entry whose
// class byte (128 or more) has a class in its low six bits stands also for its inflected forms:
// the entry followed by each suffix its class takes. Bit 64 of the class byte says that the
// entry is a word by itself too. Tag area as this engine lays it out (after the generic head of
// spell/SplLexicon.h):
//   head[8], head[9]  class rows R (at most 64) and row width W in bytes: the leading R x W bytes
//                     of the string area are the class matrix, bit b of row r (byte b / 8, bit
//                     b % 8) set when class r takes suffix b
//   head[10]          percentage of a misspelled word's length that an entry must share with its
//                     stem to be inflected during correction (at most 100)
//   head[11]          entries shorter than this are inflected whatever they share
//   head[12]          1: each list-1 item is one byte, the suffix's bit number (below 8 W), then
//                     the suffix written backwards; the items sorted, unique and non-empty (the
//                     reversed-ending index)
//   plain list 1      the companion of each suffix, appended after a suffix put on an entry
//                     that carried this one
//   head[13]          0; list 2 the reflexive endings (shorter than 10 bytes), cut before suffixes
// The open lexicon refuses a tag area that breaks these rules.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexicon.h"

constexpr u32 kSuffixMaxRows = 64;
constexpr u32 kSuffixMaxReflexive = 10;
constexpr u8 kClassByte = 128;
constexpr u8 kClassAlone = 64;
constexpr u8 kClassMask = 63;

// Whether a loaded tag area keeps the rules above.
bool splSuffixTableValid(const SplTagArea* tags);
// The index of the last (longest) suffix that word ends with, the word left longer than it; -1
// when none.
int splSuffixAtEnd(const SplTagArea* tags, const u8* word);
// Suffix `index` of the table (forwards) into out (kSplMaxWord bytes); its length.
u32 splSuffixText(const SplTagArea* tags, u32 index, u8* out);
// Whether class byte cls takes suffix `index`.
bool splSuffixTakes(const SplTagArea* tags, u8 cls, u32 index);
// 1 when a lookup form is a stored entry with suffixes its class takes (the entry's flag codes
// then in lex->flagCodes); the fetch of a lexicon with a suffix-class table.
int tagfetch(SplLexicon* lex, const u8* form);
