#include "spell/SplAccents.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"
#include "spell/SplKeyCompare.h"
#include "spell/SplLexEntries.h"
#include "spell/SplPhonetic.h"
#include "spell/SplShape.h"

namespace {

bool accentLanguage(int language) { return language == 3 || language == 4 || language == 5 || language == 16; }

struct Retry {
    const u8* key;
    u32 shape;
    int found;
};

bool matchEntry(SplLexicon* lex, void* arg) {
    auto* r = static_cast<Retry*>(arg);
    u8 key[kSplMaxKey + 1];
    splLexEntryKey(lex, key);
    if (splPhonKeyCompare(r->key, key, r->shape, lex->phon) != 0) return true;
    r->found = 1;
    return false;
}

}  // namespace

bool splAltAccApplies(const u8* word, u32 shape, int language) {
    if (!accentLanguage(language) || !(shape & kIwProper) || word[0] == 0) return false;
    const u8* classes = splLetterClassTable(language);
    if (classes == nullptr) return false;
    auto vowel = [&](u8 c) { return c < 128 && (classes[c] & kLcVowel); };
    if (vowel(word[0])) return true;
    if ((shape & 3) != kIwCaps) return false;
    for (const u8* p = word + 1; *p != 0; ++p)
        if (vowel(*p)) return true;
    return false;
}

int splLexFetchAccented(SplLexicon* lex, const u8* form, u32 shape) {
    u8 key[kSplMaxKey + 1];
    if (splWordToKey(form, key, (lex->flags & kLexFlagSingleBin) ? 1 : 0, lex->phon) == 0) return 0;
    Retry r{key, shape, 0};
    splLexWalkBin(lex, key, matchEntry, &r);
    lex->accentMiss = u8(r.found);
    return r.found;
}
