// Opens arbitrary bytes as a compressed word lexicon (kind 2) and, when they open, looks words
// up and gathers their typo candidates: a damaged table or word list must be refused or read
// as "not found", never read out of bounds, and no candidate is longer than the kind holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "spell/SplCompLexicon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SplCompLexicon lex;
    if (size > 0xFFFFFF || !splCompLexInit(&lex, 1, data, u32(size))) return 0;
    for (const char* word : {"walk", "Walks", "PARIS", "don't", "a", "zzzzzzzzzzzzzzz", "dog", "mcdonald"}) {
        u8 lowered[kCompLexMaxWord + 2] = {};
        if (splCompLexEncode(reinterpret_cast<const u8*>(word), lowered, 1) == 0) continue;
        splCompLexFetch(&lex, lowered);
        splCompLexTypos(
            &lex, lowered,
            [](void*, const u8* candidate, u8, u32, u32) {
                if (std::strlen(reinterpret_cast<const char*>(candidate)) > kCompLexMaxWord) std::abort();
            },
            nullptr);
    }
    return 0;
}
