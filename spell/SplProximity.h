#pragma once
// Phonetic proximity correction: the misspelled word's phonetic bin is walked and each entry is
// weighed against the word by length gates and two similarity scores.
#include "engine/base/EngineTypes.h"
#include "spell/SplCorrect.h"
#include "spell/SplPhonTable.h"
#include "spell/SplPhonetic.h"
#include "spell/SplScore.h"

constexpr u32 kProxLongWord = 6;
constexpr u32 kProxBaseLong = 41984;
constexpr u32 kProxBaseShort = 32768;

// Gates of splProxCompare.
constexpr int kProxReported = 0;
constexpr int kProxGateLength = 1;
constexpr int kProxGateFirst = 2;
constexpr int kProxGateCoded = 3;
constexpr int kProxGateChanges = 4;
constexpr int kProxGateSequence = 5;
constexpr int kProxGateSecond = 6;
constexpr int kProxDamaged = 7;

struct SplProxParams {
    const SplPhonTable* phon = nullptr;
    SplCorrectReq* req = nullptr;
    u32 base = 0;
    u32 threshold = 0;
    bool ess = false;
    u8 bin[3] = {};
    u8 pairs[kSplPairsSize] = {};
    u32 pairLength = 0;
    u16 seq[kSeqMax] = {};
    u32 seqLength = 0, coded = 0, changes = 0;
    SplCodeScore score;
};

// Prepares the comparison with word (a lookup form); false when it cannot be encoded.
bool splProxSetup(const u8* word, bool singleBin, const SplPhonTable* phon, SplCorrectReq* req, SplProxParams* p);
// Compares an entry (its key, NUL-terminated) and offers it once per flag code while its score
// keeps up with the threshold; answers kProxReported or the gate that refused it.
int splProxCompare(const u8* key, const u8* flagCodes, SplProxParams* p);

// The candidate hook of the main lexicon.
void splLexCandidates(const u8* stem, u32 flagByte, void* lexicon, SplCorrectReq* req);
