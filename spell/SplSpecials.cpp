#include "spell/SplSpecials.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "spell/SplCharSets.h"
#include "spell/SplTypoPrim.h"

const u8* splSpecialWord(const SplTrieLexicon* lex, u32 i, u8* cls, const u8** replacement) {
    const u8* word = lex->specialPool + readLE16(lex->specialOffsets + 2 * i);
    *cls = word[-1];
    const u8* rest = word + std::strlen(reinterpret_cast<const char*>(word)) + 1;
    *replacement = *rest != 0 ? rest : nullptr;
    return *word == '?' ? word + 1 : word;
}

u32 splSpecialsCorrect(const u8* word, const SplTrieLexicon* lex, SplSpecialReport report, void* arg) {
    const u8* fold = splUnaccentTable(lex->language);
    size_t n = std::strlen(reinterpret_cast<const char*>(word));
    if (fold == nullptr || n == 0 || n > kTrieMaxWord) return 0;
    SplTypoWord typed{word, u32(n), fold, 1};
    u32 reports = 0;
    for (u32 i = 0; i < lex->specialCount; ++i) {
        u8 cls = 0;
        const u8* replacement = nullptr;
        const u8* special = splSpecialWord(lex, i, &cls, &replacement);
        u32 kind = 0, penalty = 0;
        if (*special == 0 || !splTypoTolerance(special, &typed, &kind, &penalty)) continue;
        report(arg, replacement != nullptr ? replacement : special, cls, kind, penalty);
        ++reports;
    }
    return reports;
}
