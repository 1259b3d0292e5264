#pragma once
// Correction of one word: the candidate generators of every slot feed a ranked list of at most
// sixteen suggestions, which is then re-ranked by common letters and given surface forms.
#include "engine/base/EngineTypes.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplErrors.h"

constexpr u32 kCorrMaxSuggestions = 16;
constexpr u32 kCorrModeTypo = 1;
constexpr u32 kCorrModeCandidates = 2;
constexpr u32 kCorrTopScore = 65535;
constexpr u32 kCorrTypoFloor = 55808;  // typo candidates past the kept ones rank below this
constexpr u32 kCorrMaxTier = 5;
// The final ranking of both passes (the sound pass scores up to kCorrTopScore).
constexpr u32 kCorrBothBonus = 12000;  // added to the sound score of a candidate one slip away
constexpr u32 kCorrTypoOnly = 64000;   // a slip the sound pass did not find, less a step per rank
constexpr u32 kCorrTypoStep = 200;
// A candidate that is the word typed with accents put on its vowels is the word meant: it ranks
// above every other, and among several such the one whose accent stands where the typed verb is
// stressed before its pronouns ranks first.
constexpr u8 kCorrAccentsOther = 0;
constexpr u8 kCorrAccentsOnly = 1;
constexpr u8 kCorrAccentsOnStress = 2;
// Taken off every score of a candidate from a secondary slot (the language's less common
// words): such a word ranks below a common one that is as close to the word typed.
constexpr u32 kCorrSecondaryPenalty = 8000;

struct SplSuggestion {
    u32 score = 0;
    u8 flagByte = 0;  // the misspelled word's shape in the slot's language
    u8 cls = 0;       // the candidate's own class
    u8 typoRank = 0;  // 1 + its rank among the typo candidates; 0 when no typo pass offered it
    u32 sound = 0;    // its best score from the sound pass; 0 when that pass did not offer it
    u8 accents = 0;   // how it differs from the word typed (kCorrAccents...), set by the final ranking
    u8 word[kSplMaxWord] = {};
    SplSlot* slot = nullptr;
};

struct SplCorrectReq {
    // Header: kept from one word to the next.
    SplCorrCtx* ctx = nullptr;
    u32 language = 0;
    int (*stop)() = nullptr;
    u32 typoKeep = 2;
    u32 similarity = 1;
    u32 mode = 0;
    u32 hooks = 0;
    // The rest is cleared for each word.
    u8 word[kSplMaxWord] = {};
    u32 cut = 0;
    u32 capitalise = 0;
    u8 suffix[kSplMaxWord] = {};
    u32 suffixValue = 0;
    u8 stem[kSplMaxWord] = {};
    u8 slotStem[kSplMaxWord] = {};  // the stem's lookup form in the current slot's language
    u32 slotLanguage = 0;
    u32 flagByte = 0;
    u32 stemLength = 0;
    SplSlot* slot = nullptr;
    SplSuggestion entries[kCorrMaxSuggestions];
    u8 order[kCorrMaxSuggestions] = {};
    u32 count = 0;
    u32 threshold = 0;
    u32 soundPass = 0;  // the candidates now offered come from the sound pass
    u8 surface[kCorrMaxSuggestions][2 * kSplMaxWord] = {};
    const u8* results[kCorrMaxSuggestions + 1] = {};
    SplSlot* resultSlots[kCorrMaxSuggestions + 1] = {};
};

// Fills the request's header; 1 when the language has correction hooks.
int splCorrectInit(SplCorrCtx* ctx, u32 mode, u32 language, SplCorrectReq* req);
// The suggestions for word in rank order, null after the last.
const u8* const* splCorrectWord(const u8* word, SplCorrectReq* req, u32 capitalise);

// Offers a candidate (a lookup form) of class cls; answers the threshold below which the
// generator need not offer more.
u32 splCorrInsert(const u8* candidate, u8 cls, u32 score, SplCorrectReq* req);
// A typo candidate of tier 0-5 (the typo kinds); a tier above 5 is refused.
u32 splCorrTierCallback(SplCorrectReq* req, const u8* candidate, u8 cls, u32 tier, u32 penalty);
