#pragma once
// The correction context: the open lexicons in slots, each with the lookup hooks of its kind.
// A context never owns its lexicons.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexWord.h"

// Slot flags.
constexpr u32 kSlotVerify = 1;
constexpr u32 kSlotVerifyFolded = 2;
constexpr u32 kSlotCompound = 4;
constexpr u32 kSlotTypo = 8;
constexpr u32 kSlotCandidates = 16;
constexpr u32 kSlotFlag32 = 32;
// The slot's words are offered after those of the other slots (see kCorrSecondaryPenalty).
constexpr u32 kSlotSecondary = 64;

struct SplCorrectReq;
// A candidate generator: offers the lexicon's words near the stem (a lookup form of the given
// shape flags) through splCorrInsert.
using SplCandidateHook = void (*)(const u8* stem, u32 flagByte, void* lexicon, SplCorrectReq* req);
// A typo generator: offers words one keyboard slip away through splCorrTierCallback.
using SplTypoHook = void (*)(void* lexicon, const u8* stem, SplCorrectReq* req);

struct SplSlot {
    void* lexicon = nullptr;
    u32 marker = 0;
    i16 kind = 0;
    i16 language = 0;
    u32 callerValue = 0;
    u32 flags = 0;
    SplVerifyHook verify = nullptr;
    SplVerifyHook compoundVerify = nullptr;
    SplCandidateHook candidates = nullptr;
    SplTypoHook typo = nullptr;
};

struct SplCorrCtx {
    u32 capacity = 0;
    SplSlot* slots = nullptr;
    SplSlot* end = nullptr;     // next free slot
    SplSlot* cursor = nullptr;
};

SplCorrCtx* splCorrCtxCreate(u32 slots);
// 1, or 0 when every slot is taken. The lexicon record begins with its kind and language bytes.
// A lexicon of a language with compound rules also verifies compounds of its words.
int splCorrCtxAddLexicon(void* lexicon, u32 callerValue, u32 flags, SplCorrCtx* ctx);
void splCorrCtxFree(SplCorrCtx* ctx);
// The verify hook of a lexicon kind, or null for a kind that verifies nothing.
SplVerifyHook splVerifyHookOfKind(i16 kind);
void splCorrCtxReset(SplCorrCtx* ctx);
SplSlot* splCorrCtxNextSlot(SplCorrCtx* ctx);
