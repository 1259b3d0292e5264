// Opens arbitrary bytes as a personal dictionary and, when they open, looks words up, walks a
// bin for suggestions and adds a word: a damaged file must be refused whole, never read out of
// bounds or walked in circles.
#include <cstdint>
#include <initializer_list>

#include "spell/SplCorrect.h"
#include "spell/SplUserDict.h"
#include "tests/spell/fuzz/SpellFuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SplPhonTable* phon = spellFuzzPhonTable();
    const char* path = spellFuzzWriteInput(data, size);

    u32 error = 0;
    SplUserDict* d = splUserDictOpen(path, kUdModeOpen, phon, &error);
    if (d == nullptr) return 0;
    for (const char* word : {"walk", "Walked", "PARIS", "etc.", "zorblax", "q"}) {
        u32 near = 0, wordClass = 0;
        splUserDictVerify(reinterpret_cast<const u8*>(word), d, &near, &wordClass);
    }
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    splCorrCtxAddLexicon(d, 0, 31, ctx);
    SplCorrectReq req;
    splCorrectInit(ctx, kCorrModeCandidates, 1, &req);
    splCorrectWord(reinterpret_cast<const u8*>("zorblux"), &req, 0);
    splCorrCtxFree(ctx);
    splUserDictAddWord(reinterpret_cast<const u8*>("quimbleton"), d);
    splUserDictClose(d);
    return 0;
}
