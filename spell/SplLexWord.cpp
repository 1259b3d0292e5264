#include "spell/SplLexWord.h"

#include "spell/SplAccents.h"
#include "spell/SplCompat.h"
#include "spell/SplEnclitics.h"
#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"
#include "spell/SplSearch.h"
#include "spell/SplShape.h"
#include "spell/SplSuffixClass.h"

namespace {

// Takes the first of the fetched entry's classes that accepts the word's shape.
bool compatible(SplLexicon* lex, u32 flags, u32* wordClass) {
    for (const u8* code = lex->flagCodes; *code != 0; ++code) {
        if (compatfl(flags, *code)) {
            lex->currentClass = *code;
            *wordClass = *code;
            return true;
        }
    }
    return false;
}

}  // namespace

int lexword(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* lex = static_cast<SplLexicon*>(lexicon);
    bool tolerant = *near > 0;
    *near = 0;
    *wordClass = 0;
    lex->currentClass = 0;
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(word, form, lex->language);
    if (flags == 0) return 0;
    // A word found as it stands is answered by its classes alone, never re-examined below; with a
    // suffix-class table, an entry that is only a stem is no word.
    if (splLexFetch(lex, form)) {
        u8 cls = lex->classByte;
        if (lex->tags != nullptr && cls >= kClassByte && (cls & kClassMask) != 0 && !(cls & kClassAlone)) return 0;
        return compatible(lex, flags, wordClass) ? 1 : 0;
    }
    bool plain = !(flags & (kIwAllDot | kIwVerbatim));
    bool hooked = plain && (lex->tags != nullptr ? tagfetch(lex, form) != 0
                                                 : lex->language == kSplLangSpanish && spnfetch(lex, form, word) != 0);
    if (hooked && compatible(lex, flags, wordClass)) return 1;
    if (plain && tolerant && splAltAccApplies(word, flags, lex->language) && splLexFetchAccented(lex, form, flags) &&
        compatible(lex, flags, wordClass)) {
        *near = 1;
        return 1;
    }
    return 0;
}

int splWordListVerify(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* list = static_cast<SplWordList*>(lexicon);
    *near = 0;
    *wordClass = 0;
    u32 position = 0;
    return ssearch(word, list->strings, list->length, 0, &position) == -1 ? 1 : 0;
}
