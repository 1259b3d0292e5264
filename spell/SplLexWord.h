#pragma once
// The verify hooks of the lexicon kinds: each takes (word, lexicon record, in/out near value,
// out class) and answers non-zero when the word is spelled correctly. On entry a near value
// above 0 asks for a form that differs only in accents; on return 1 says that happened.
#include "engine/base/EngineTypes.h"
#include "spell/SplLexicon.h"

using SplVerifyHook = int (*)(const u8* word, void* lexicon, u32* near, u32* wordClass);

// Kind 3: the main lexicon.
int lexword(const u8* word, void* lexicon, u32* near, u32* wordClass);

// Kind 1: a sorted list of words as typed (the items of an ssearch table with no data bytes).
struct SplWordList {
    u8 kind = 1;
    u8 language = 0;
    const u8* strings = nullptr;
    u32 length = 0;
};
int splWordListVerify(const u8* word, void* lexicon, u32* near, u32* wordClass);
