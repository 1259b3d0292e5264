#include "spell/SplProximity.h"

#include <cstdlib>
#include <cstring>

#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"

namespace {

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

// The entry's pair string, from its code indexes up to the end or the spelled part.
int decodePairs(const u8* key, u8* pairs, const SplPhonTable* phon) {
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
    u32 n = lex->keyLength < kSplMaxKey ? lex->keyLength : kSplMaxKey;
    std::memcpy(key, lex->decomp, n);
    key[n] = 0;
    splProxCompare(key, lex->flagCodes, static_cast<SplProxParams*>(arg));
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
    p->seqLength = splCodeSequence(p->pairs, p->seq, &p->coded, &p->changes, p->ess);
    p->base = length(word) >= kProxLongWord ? kProxBaseLong : kProxBaseShort;
    p->threshold = p->base;
    return true;
}

int splProxCompare(const u8* key, const u8* flagCodes, SplProxParams* p) {
    u8 pairs[kSplPairsSize];
    int n = decodePairs(key, pairs, p->phon);
    if (n < 0) return kProxDamaged;
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

void splLexCandidates(const u8* stem, u32, void* lexicon, SplCorrectReq* req) {
    auto* lex = static_cast<SplLexicon*>(lexicon);
    SplProxParams p;
    if (!splProxSetup(stem, (lex->flags & kLexFlagSingleBin) != 0, lex->phon, req, &p)) return;
    splLexWalkBin(lex, p.bin, compareEntry, &p);
}
