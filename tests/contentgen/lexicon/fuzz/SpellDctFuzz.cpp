// Opens arbitrary bytes as a personal dictionary and, when they open, looks words up, walks a
// bin for suggestions and adds a word: a damaged file must be refused whole, never read out of
// bounds or walked in circles.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "spell/SplCorrect.h"
#include "spell/SplPhonTable.h"
#include "spell/SplUserDict.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SplPhonTable* phon = [] {
        u32 error = 0;
        const char* env = std::getenv("SPELL_FUZZ_ENV");
        SplPhonTable* p = env != nullptr ? splPhonOpen(env, 0, &error) : nullptr;
        if (p == nullptr) std::abort();
        return p;
    }();
    const char* path = std::getenv("SPELL_FUZZ_FILE");
    if (path == nullptr) std::abort();
    std::FILE* f = std::fopen(path, "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);

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
