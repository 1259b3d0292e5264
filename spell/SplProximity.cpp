#include "spell/SplProximity.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "spell/SplEnclitics.h"
#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"
#include "spell/SplSearch.h"
#include "spell/SplShape.h"
#include "spell/SplSuffixClass.h"
#include "spell/SplSuffixBins.h"

namespace {

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

// The entry's pair string, from its code indexes up to the end or the spelled part.
int decodePairs(const u8* key, u8* pairs, const SplPhonTable* phon) {
    if (key[0] == 0 || key[1] == 0) return -1;
    int n = 0;
    for (const u8* k = key + 2; *k != 0 && *k != kSplKeySpelled; ++k) {
        if (*k >= splPhonLetterCount(phon) || n + 2 >= kSplPairsSize) return -1;
        pairs[n++] = phon->pairs[2 * *k];
        pairs[n++] = phon->pairs[2 * *k + 1];
    }
    pairs[n] = 0;
    return n;
}

bool compareEntry(SplLexicon* lex, void* arg) {
    u8 key[kSplMaxKey + 1];
    splLexEntryKey(lex, key);
    splProxCompare(key, lex->flagCodes, static_cast<SplProxParams*>(arg));
    return true;
}

// Spanish: each entry, then each form with the attached pronouns the misspelled word ends with
// that the entry's class allows.
struct SpanishWalk {
    SplProxParams* p;
    u32 endings;
    const u8* typed;  // a form made of an entry is no suggestion when it is the word typed
};

bool compareSpanish(SplLexicon* lex, void* arg) {
    auto* walk = static_cast<SpanishWalk*>(arg);
    compareEntry(lex, walk->p);
    if (lex->classByte == 0 || walk->endings == 0) return true;
    u8 key[kSplMaxKey + 1];
    splLexEntryKey(lex, key);
    u8 word[2 * kSplMaxKey + 2];
    if (unphfull(key, word, lex->phon) < 0 || std::strchr(reinterpret_cast<const char*>(word), kSplLrSep) != nullptr)
        return true;
    u8 codes[kLexMaxFlagCodes + 1];
    std::memcpy(codes, lex->flagCodes, sizeof codes);
    for (u32 i = 0; i < kEncliticCount; ++i) {
        u8 form[kSplMaxWord];
        u8 formKey[kSplMaxKey + 1];
        if (!((walk->endings >> i) & 1u) || !splEncliticForm(word, lex->classByte, int(i), form)) continue;
        if (std::strcmp(reinterpret_cast<const char*>(form), reinterpret_cast<const char*>(walk->typed)) == 0) continue;
        if (splWordToKey(form, formKey, 0, lex->phon) > 0) splProxCompare(formKey, codes, walk->p);
    }
    return true;
}

// The splitter of the Spanish walk: the start of the n-th pronoun ending the word carries.
int encliticAt(const u8* word, u32 n, void* arg) {
    u32 endings = *static_cast<const u32*>(arg);
    for (u32 i = 0; i < kEncliticCount; ++i) {
        if (!((endings >> i) & 1u)) continue;
        if (n-- == 0) return int(std::strlen(reinterpret_cast<const char*>(word)) - splEncliticLength(int(i)));
    }
    return -1;
}

// A lexicon with a suffix-class table: each entry as it stands when it is a word by itself, and
// the entry's inflected forms when it is short or shares enough of the misspelled word's stem.
struct SuffixWalk {
    SplProxParams* p;
    const u8* stem;  // the misspelled word less its suffix
    u32 stemLength;
    u32 minCommon;
};

bool compareInflected(SplLexicon* lex, void* arg) {
    auto* walk = static_cast<SuffixWalk*>(arg);
    const SplTagArea* tags = lex->tags;
    u8 cls = lex->classByte;
    bool classed = cls >= kClassByte && (cls & kClassMask) != 0;
    if (!classed || (cls & kClassAlone)) compareEntry(lex, walk->p);
    if (!classed) return true;
    u8 key[kSplMaxKey + 1];
    splLexEntryKey(lex, key);
    u8 word[2 * kSplMaxKey + 2];
    int n = unphfull(key, word, lex->phon);
    if (n < 0 || n >= int(kSplMaxWord) || std::strchr(reinterpret_cast<const char*>(word), kSplLrSep) != nullptr)
        return true;
    if (u32(n) >= tags->head[11] && seqlen(word, walk->stem, u32(n), walk->stemLength) < walk->minCommon) return true;
    u8 codes[kLexMaxFlagCodes + 1];
    std::memcpy(codes, lex->flagCodes, sizeof codes);
    // An entry that carries a listed suffix takes the others in its place, then that one's companion.
    const u8* companion = reinterpret_cast<const u8*>("");
    int carried = splSuffixAtEnd(tags, word);
    u32 base = u32(n);
    if (carried >= 0) {
        u8 suffix[kSplMaxWord];
        base -= splSuffixText(tags, u32(carried), suffix);
        companion = tags->plain1[carried];
    }
    size_t companionLength = length(companion);
    for (u32 i = 0; i < tags->count1; ++i) {
        if (!splSuffixTakes(tags, cls, i)) continue;
        u8 form[2 * kSplMaxWord];
        u32 k = splSuffixText(tags, i, form + base);
        if (base + k + companionLength >= kSplMaxWord) continue;
        std::memcpy(form, word, base);
        std::memcpy(form + base + k, companion, companionLength + 1);
        u8 formKey[kSplMaxKey + 1];
        if (splWordToKey(form, formKey, 0, lex->phon) > 0) splProxCompare(formKey, codes, walk->p);
    }
    return true;
}

}  // namespace

bool splProxSetup(const u8* word, bool singleBin, const SplPhonTable* phon, SplCorrectReq* req, SplProxParams* p) {
    p->phon = phon;
    p->req = req;
    int lang = phon->language;
    p->ess = lang == 2 || lang == 14 || lang == 18;
    int n = splPhonEncode(word, p->pairs, phon);
    if (n < 0) return false;
    p->pairLength = u32(n);
    if (singleBin) {
        p->bin[0] = p->bin[1] = u8(phon->words[2]);
        p->bin[2] = 0;
    } else {
        splPhonBin(p->pairs, p->bin, phon);
    }
    // Words are compared as they sound: a letter heard like another counts as that one.
    p->pairLength = u32(splPhonHeard(p->pairs, n, phon));
    p->seqLength = splCodeSequence(p->pairs, p->seq, &p->coded, &p->changes, p->ess);
    p->base = length(word) >= kProxLongWord ? kProxBaseLong : kProxBaseShort;
    p->threshold = p->base;
    return true;
}

int splProxCompare(const u8* key, const u8* flagCodes, SplProxParams* p) {
    u8 pairs[kSplPairsSize];
    int n = decodePairs(key, pairs, p->phon);
    if (n < 0) return kProxDamaged;
    n = splPhonHeard(pairs, n, p->phon);
    if (std::abs(n - int(p->pairLength)) > 6) return kProxGateLength;
    if (splFirstScore(p->pairs, p->pairLength, pairs, u32(n)) < p->base) return kProxGateFirst;
    u16 seq[kSeqMax];
    u32 coded = 0, changes = 0;
    u32 seqLength = splCodeSequence(pairs, seq, &coded, &changes, p->ess);
    if (std::abs(int(coded) - int(p->coded)) > 2) return kProxGateCoded;
    if (std::abs(int(changes) - int(p->changes)) > 1) return kProxGateChanges;
    if (std::abs(int(seqLength) - int(p->seqLength)) > 6) return kProxGateSequence;
    splScoreForward(p->seq, p->seqLength, seq, seqLength, &p->score);
    u32 score = splScoreBoth(p->seq, p->seqLength, seq, seqLength, &p->score);
    if (score < p->threshold) return kProxGateSecond;
    u8 word[2 * kSplMaxKey + 2];
    if (unphfull(key, word, p->phon) < 0) return kProxDamaged;
    const u8* surface = word;
    if (const char* sep = std::strchr(reinterpret_cast<const char*>(word), kSplLrSep))
        surface = reinterpret_cast<const u8*>(sep + 1);
    for (const u8* code = flagCodes; *code != 0 && score >= p->threshold; ++code) {
        u32 answer = splCorrInsert(surface, *code, score, p->req);
        p->threshold = answer > p->base ? answer : p->base;
    }
    return kProxReported;
}

void splLexCandidates(const u8* stem, u32 flagByte, void* lexicon, SplCorrectReq* req) {
    auto* lex = static_cast<SplLexicon*>(lexicon);
    SplProxParams p;
    if (!splProxSetup(stem, (lex->flags & kLexFlagSingleBin) != 0, lex->phon, req, &p)) return;
    bool plain = !(flagByte & (kIwAllDot | kIwVerbatim));
    if (lex->tags != nullptr) {
        // Odd words and abbreviations take no suffixes.
        if (!plain) {
            splLexWalkBin(lex, p.bin, compareEntry, &p);
            return;
        }
        u8 wordStem[kSplMaxWord];
        size_t n = std::min(length(stem), size_t(kSplMaxWord) - 1);
        std::memcpy(wordStem, stem, n);
        wordStem[n] = 0;
        int suffix = splSuffixAtEnd(lex->tags, wordStem);
        if (suffix >= 0) {
            u8 text[kSplMaxWord];
            wordStem[n - splSuffixText(lex->tags, u32(suffix), text)] = 0;
        }
        SuffixWalk walk{&p, wordStem, u32(length(wordStem)), u32(n) * lex->tags->head[10] / 100};
        splLexWalkBin(lex, p.bin, compareInflected, &walk);
        return;
    }
    if (lex->language == kSplLangSpanish && plain) {
        // A verb form with pronouns sorts under another bin than the form alone, and so does a
        // stem typed with a wrong final consonant: the bins of the word less each ending it may
        // carry, and less its final consonants, are walked too.
        SpanishWalk walk{&p, splEncliticsAtEnd(stem), stem};
        SplBinList bins;
        splBinListAdd(&bins, p.bin);
        if (!(lex->flags & kLexFlagSingleBin)) splSuffixBins(stem, encliticAt, &walk.endings, lex->phon, &bins);
        splLexWalkBins(lex, &bins, compareSpanish, &walk);
        return;
    }
    splLexWalkBin(lex, p.bin, compareEntry, &p);
}
