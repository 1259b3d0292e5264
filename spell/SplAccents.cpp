#include "spell/SplAccents.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"
#include "spell/SplPhonetic.h"
#include "spell/SplShape.h"

namespace {

bool accentLanguage(int language) { return language == 3 || language == 4 || language == 5 || language == 16; }

struct Retry {
    const u8* form;
    u32 shape;
    int language;
    int found;
};

bool matchEntry(SplLexicon* lex, void* arg) {
    auto* r = static_cast<Retry*>(arg);
    u8 key[kSplMaxKey + 1];
    splLexEntryKey(lex, key);
    u8 letters[2 * kSplMaxKey + 2];
    if (unphfull(key, letters, lex->phon) < 0 || !splAccentRestores(r->form, letters, r->shape, r->language)) return true;
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

bool splAccentRestores(const u8* form, const u8* stored, u32 shape, int language) {
    const u8* classes = splLetterClassTable(language);
    const u8* unaccent = splUnaccentTable(language);
    if (classes == nullptr || unaccent == nullptr) return false;
    bool anyPosition = (shape & 3) == kIwCaps;
    u32 restored = 0;
    size_t i = 0;
    for (; form[i] != 0 && stored[i] != 0; ++i) {
        u8 have = form[i], want = stored[i];
        if (have == want) continue;
        bool accented = (classes[want] & kLcAccented) && unaccent[want] == have;
        if (!accented || (i > 0 && !anyPosition)) return false;
        ++restored;
    }
    return form[i] == 0 && stored[i] == 0 && restored > 0;
}

int splLexFetchAccented(SplLexicon* lex, const u8* form, u32 shape) {
    u8 key[kSplMaxKey + 1];
    if (splWordToKey(form, key, (lex->flags & kLexFlagSingleBin) ? 1 : 0, lex->phon) == 0) return 0;
    Retry r{form, shape, lex->language, 0};
    splLexWalkBin(lex, key, matchEntry, &r);
    lex->accentMiss = u8(r.found);
    return r.found;
}
