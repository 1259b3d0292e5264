// Opens arbitrary bytes as a letter-tree lexicon and, when they open, verifies words, walks the
// whole tree and runs the typo walk, the proximity walk and the special-word search: damage must be refused or read as "not found", never read
// out of bounds.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "spell/SplTrieLexicon.h"
#include "spell/SplSpecials.h"
#include "spell/SplTspProximity.h"
#include "spell/SplTypoTree.h"

namespace {

// Depth-first over every node; a damaged list ends where it stops reading.
void walk(SplTrieWalker* w, u32* budget) {
    if (!splTrieFirstChild(w)) return;
    do {
        if (--*budget == 0) break;
        if (splTrieHasChildren(w)) walk(w, budget);
    } while (*budget > 0 && splTrieNextSibling(w));
    splTrieUp(w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SplTrieLexicon lex;
    if (size > 0xFFFFFF || !splTrieInit(&lex, 1, data, u32(size))) return 0;
    for (const char* word : {"walk", "walks", "Walked", "PARIS", "etc.", "dog", "zzz", "a"}) {
        u32 near = 1, wordClass = 0;
        splTrieVerify(reinterpret_cast<const u8*>(word), &lex, &near, &wordClass);
    }
    for (const char* typo : {"wlak", "walsk", "pari", "dgo", "zzzzzz", "fone", "alot"}) {
        const u8* word = reinterpret_cast<const u8*>(typo);
        splTspTypoStart(word, &lex, [](void*, const u8*, u8, u32) {}, nullptr);
        splTspCorrectStart(word, &lex, [](const u8*, u8, u32, void*) { return 0u; }, nullptr);
        splSpecialsCorrect(word, &lex, [](void*, const u8*, u8, u32, u32) {}, nullptr);
    }
    SplTrieWalker w;
    splTrieToRoot(&w, &lex);
    u32 budget = 20000;
    walk(&w, &budget);
    return 0;
}
