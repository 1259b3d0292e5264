#pragma once
// Verification of one word against the lexicons of a correction context, with the language's
// rules for words split at apostrophes and hyphens.
#include "engine/base/EngineTypes.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplErrors.h"

// Options.
constexpr u32 kVerifyFolding = 1;
constexpr u32 kVerifyNear = 2;
constexpr u32 kVerifyCompound = 4;
constexpr u32 kVerifySplitA = 8;
constexpr u32 kVerifySplitB = 16;

// Result flags.
constexpr u32 kResultFolded = 1;
constexpr u32 kResultNear = 2;
constexpr u32 kResultCompoundTried = 4;
constexpr u32 kResultSplit = 8;
constexpr u32 kResultHyphenated = 16;

// Marks.
constexpr u8 kMarkWhole = 1;
constexpr u8 kMarkSplit = 3;
constexpr u8 kMarkAfterSplit = 6;
constexpr u8 kMarkRefused = 129;

struct SplVerifyRec;
using SplVerifyFn = int (*)(const u8* word, SplVerifyRec* rec);
using SplSplitHook = int (*)(SplVerifyRec* rec, u32 offset);

struct SplVerifyRec {
    u8 word[kSplMaxWord] = {};
    SplCorrCtx* ctx = nullptr;
    u32 language = 0;
    u32 options = 0;
    SplVerifyFn verify = nullptr;
    SplSplitHook splitA = nullptr;
    SplSplitHook splitB = nullptr;
    u32 result = 0;
    u8 marks[kSplMaxWord] = {};
    SplSlot* match = nullptr;
    u32 resultFlags = 0;
    u32 extra = 0;
    u32 flag32 = 0;
    u32 marker = 0;
};

void splVerifyInit(SplCorrCtx* ctx, u32 options, u32 language, SplVerifyRec* rec);
// Non-zero when the word is spelled correctly; *result 1 when it was accepted with a final
// period that only the lexicon's abbreviation accepts.
int splVerifyWord(const u8* word, SplVerifyRec* rec, u32* result);

int splVerifyStandard(const u8* word, SplVerifyRec* rec);
// Checks the record's word from offset (up to its NUL) against every verifying slot.
int splWordInLexicons(u32 offset, SplVerifyRec* rec);
int splWordInSlots(const u8* word, SplVerifyRec* rec);
// Checks the word segment by segment at its hyphens, each segment also through the language's
// segment splitter when there is one (and split hook A is enabled).
int splHyphenSegments(SplVerifyRec* rec, SplSplitHook segmentSplitter);
