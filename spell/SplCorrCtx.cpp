#include "spell/SplCorrCtx.h"

#include <new>

#include "spell/SplCompLexicon.h"
#include "spell/SplCpdFetch.h"
#include "spell/SplFile.h"
#include "spell/SplProximity.h"
#include "spell/SplTspProximity.h"
#include "spell/SplTypoTree.h"
#include "spell/SplUserDict.h"
#include "spell/SplTrieLexicon.h"

SplCorrCtx* splCorrCtxCreate(u32 slots) {
    auto* ctx = new (std::nothrow) SplCorrCtx;
    if (ctx == nullptr) return nullptr;
    ctx->slots = new (std::nothrow) SplSlot[slots == 0 ? 1 : slots];
    if (ctx->slots == nullptr) {
        delete ctx;
        return nullptr;
    }
    ctx->capacity = slots;
    ctx->end = ctx->cursor = ctx->slots;
    return ctx;
}

int splCorrCtxAddLexicon(void* lexicon, u32 callerValue, u32 flags, SplCorrCtx* ctx) {
    if (u32(ctx->end - ctx->slots) >= ctx->capacity) return 0;
    const u8* head = static_cast<const u8*>(lexicon);
    SplSlot* slot = ctx->end++;
    *slot = SplSlot{};
    slot->lexicon = lexicon;
    slot->kind = head[0];
    slot->language = head[1];
    slot->callerValue = callerValue;
    slot->flags = flags;
    slot->marker = (slot->kind == 3 || slot->kind == 4) ? 1 : 0;
    slot->verify = splVerifyHookOfKind(slot->kind);
    if (slot->kind == 3) {
        slot->candidates = splLexCandidates;
    } else if (slot->kind == 4) {
        slot->candidates = splUserDictCandidates;
    } else if (slot->kind == 7) {
        slot->typo = splTrieTypoCandidates;
        slot->candidates = splTrieCandidates;
    } else if (slot->kind == 2) {
        slot->typo = splCompLexTypoCandidates;
    }
    if (slot->verify != nullptr && splCpdRulesFor(u32(slot->language)) != nullptr) slot->compoundVerify = splCpdVerify;
    return 1;
}

SplVerifyHook splVerifyHookOfKind(i16 kind) {
    switch (kind) {
    case 1: return splWordListVerify;
    case 2: return splCompLexVerify;
    case 3: return lexword;
    case 4: return splUserDictVerify;
    case 7: return splTrieVerify;
    default: return nullptr;
    }
}

void splCorrCtxFree(SplCorrCtx* ctx) {
    if (ctx == nullptr) return;
    delete[] ctx->slots;
    delete ctx;
}

void splCorrCtxReset(SplCorrCtx* ctx) { ctx->cursor = ctx->slots; }

SplSlot* splCorrCtxNextSlot(SplCorrCtx* ctx) { return ctx->cursor < ctx->end ? ctx->cursor++ : nullptr; }
