// Opens arbitrary bytes as a main lexicon and, when they open, looks words up, asks for
// corrections (with the suffix-class table when there is one) and walks every block's entries: a damaged file must be refused or read as "not found", never read out of
// bounds.
#include <cstdint>
#include <initializer_list>

#include "spell/SplLexEntries.h"
#include "spell/SplCorrect.h"
#include "spell/SplLexWord.h"
#include "spell/SplLexicon.h"
#include "spell/SplMemManager.h"
#include "spell/SplProximity.h"
#include "tests/spell/fuzz/SpellFuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SplPhonTable* phon = spellFuzzPhonTable();
    const char* path = spellFuzzWriteInput(data, size);

    u8 header[256];
    u32 error = 0;
    splLexCheckHeader(path, 0, header, &error);
    SplMemManager* mm = splMemOpen(2, 8);
    SplLexicon* lex = splLexOpen(path, 0, mm, phon, &error);
    if (lex != nullptr) {
        for (const char* word : {"walk", "Walked", "PARIS", "etc.", "McDonald", "zzz", "talkingful"}) {
            u32 near = 0, wordClass = 0;
            lexword(reinterpret_cast<const u8*>(word), lex, &near, &wordClass);
        }
        static SplCorrectReq req;
        for (const char* typo : {"walkd", "talkin", "wlk"}) {
            req = SplCorrectReq{};
            splLexCandidates(reinterpret_cast<const u8*>(typo), 1, lex, &req);
        }
        for (u32 b = 0; b < lex->blockCount && b < 64; ++b) {
            if (!splLexLoadBlock(lex, b)) continue;
            while (splLexNextEntry(lex) == 1) lexstrip(lex);
        }
    }
    splLexClose(lex);
    splMemClose(mm);
    return 0;
}
