#pragma once
// The bins a misspelled word's stems sort under: a word that carries an ending (or a wrong final
// consonant) is stored under another phonetic bin than its stem, so correction walks those bins
// too.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"

constexpr u32 kSuffixMaxCount = 5;       // endings asked of the splitter
constexpr u32 kSuffixMinStem = 3;        // consonant-cut stems shorter than this are not tried
constexpr u32 kSuffixMaxBins = 1 + kSuffixMaxCount + 64;

// The start of the n-th ending of word (0 first), -1 when there are no more.
using SplSuffixSplitter = int (*)(const u8* word, u32 n, void* arg);

struct SplBinList {
    u8 bins[kSuffixMaxBins][2] = {};
    u32 count = 0;
};

// Adds a bin unless listed.
void splBinListAdd(SplBinList* list, const u8* bin);
// Adds the bins of word less each ending the splitter finds (at most five), then of word less
// each run of final consonants of the language, down to stems of three letters.
void splSuffixBins(const u8* word, SplSuffixSplitter split, void* arg, const SplPhonTable* phon, SplBinList* list);
// Walks every listed bin of the lexicon.
void splLexWalkBins(SplLexicon* lex, const SplBinList* list, SplBinVisitor visit, void* arg);
