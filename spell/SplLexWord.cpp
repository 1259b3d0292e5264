#include "spell/SplLexWord.h"

#include "spell/SplCompat.h"
#include "spell/SplLexEntries.h"
#include "spell/SplSearch.h"
#include "spell/SplShape.h"

int lexword(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* lex = static_cast<SplLexicon*>(lexicon);
    *near = 0;
    *wordClass = 0;
    lex->currentClass = 0;
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(word, form, lex->language);
    if (flags == 0 || !splLexFetch(lex, form)) return 0;
    for (const u8* code = lex->flagCodes; *code != 0; ++code) {
        if (compatfl(flags, *code)) {
            lex->currentClass = *code;
            *wordClass = *code;
            return 1;
        }
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
