#include "spell/SplVerify.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplFrenchRules.h"
#include "spell/SplItalianRules.h"

namespace {

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

void recordMatch(SplVerifyRec* rec, SplSlot* slot, u32 extra) {
    rec->match = slot;
    if (slot->flags & kSlotFlag32) rec->flag32 = 1;
    if (slot->marker) rec->marker = 1;
    if (extra != 0 || rec->extra == 0) rec->extra = extra;
}

// Languages 1, 6, 8 and 10: a word ending in "'s" or "'" is its stem with a possessive ending;
// a bare apostrophe needs a stem that ends in s.
int apostropheS(SplVerifyRec* rec, u32 offset) {
    u8* word = rec->word + offset;
    const u8* lower = splLowerTable(int(rec->language));
    u8* apostrophe = reinterpret_cast<u8*>(std::strrchr(reinterpret_cast<char*>(word), '\''));
    if (apostrophe == nullptr) return 0;
    u32 p = u32(apostrophe - word);
    u32 after = u32(length(apostrophe + 1));
    u32 value;
    if (after == 0) value = 0;
    else if (after == 1 && lower[apostrophe[1]] == 's') value = 1;
    else return 0;
    rec->resultFlags |= kResultSplit;
    rec->marks[offset + p] = kMarkSplit;
    if (after > 0) rec->marks[offset + p + 1] = kMarkAfterSplit;
    if (p == 0) return 0;
    u8 last = word[p - 1];
    if (value == 0 && last != 's' && last != 'S') {
        rec->marks[offset + p] |= 128;
        return 0;
    }
    u8 saved = word[p];
    word[p] = 0;
    int ok = splWordInLexicons(offset, rec);
    word[p] = saved;
    return ok;
}

}  // namespace

int splHyphenSegments(SplVerifyRec* rec, SplSplitHook segmentSplitter) {
    u8* word = rec->word;
    if (std::strchr(reinterpret_cast<char*>(word), '-') == nullptr) return 0;
    rec->resultFlags |= kResultHyphenated;
    u32 n = u32(length(word));
    u32 start = 0;
    for (;;) {
        u32 h = start;
        while (h < n && word[h] != '-') ++h;
        if (h == start) return 0;
        bool hyphen = h < n;
        if (hyphen) {
            word[h] = 0;
            rec->marks[h] = kMarkSplit;
        }
        int ok = splWordInLexicons(start, rec);
        if (!ok && segmentSplitter != nullptr && (rec->options & kVerifySplitA)) ok = segmentSplitter(rec, start);
        if (hyphen) word[h] = '-';
        if (!ok) return 0;
        if (!hyphen) return 1;
        start = h + 1;
    }
}

namespace {

int plainHyphens(SplVerifyRec* rec, u32) { return splHyphenSegments(rec, nullptr); }

// Language 2 writes the sharp s as "SS" in capitals: a word in capitals that fails is tried
// again with every "SS" as the sharp s (byte 225).
int verifySharpS(const u8* word, SplVerifyRec* rec) {
    int answer = splVerifyStandard(word, rec);
    if (answer || !(rec->options & kVerifyFolding) || rec->match != nullptr || word[0] == 0) return answer;
    const u8* types = splTypeTable(int(rec->language));
    size_t n = length(word);
    for (size_t i = 1; i < n; ++i)
        if (!(types[word[i]] & kCtUpper) && !(word[i] == '.' && i + 1 == n)) return answer;
    u8 folded[kSplMaxWord];
    size_t out = 0, i = 0;
    bool changed = false;
    for (; i < n && out + 1 < sizeof folded; ++i) {
        if (word[i] == 'S' && word[i + 1] == 'S') {
            folded[out++] = 225;
            ++i;
            changed = true;
        } else {
            folded[out++] = word[i];
        }
    }
    if (i < n) return answer;  // a word too long to verify even refolded
    folded[out] = 0;
    if (!changed || !splVerifyStandard(folded, rec)) return answer;
    rec->resultFlags |= kResultFolded;
    return 1;
}
int apostropheHyphens(SplVerifyRec* rec, u32) { return splHyphenSegments(rec, apostropheS); }
// Language 18's lexicons keep IO as IE, the way the language usually prints it: a word typed
// with IO (bytes 184, 168) that fails is tried again with IE (229, 197).
int verifyDotlessIo(const u8* word, SplVerifyRec* rec) {
    int answer = splVerifyStandard(word, rec);
    if (answer || !(rec->options & kVerifyFolding) || rec->match != nullptr || word[0] == 0) return answer;
    u8 folded[kSplMaxWord];
    size_t n = length(word);
    if (n >= sizeof folded) return answer;
    bool changed = false;
    for (size_t i = 0; i <= n; ++i) {
        u8 c = word[i];
        folded[i] = c == 184 ? 229 : c == 168 ? 197 : c;
        changed = changed || folded[i] != c;
    }
    if (!changed || !splVerifyStandard(folded, rec)) return answer;
    rec->resultFlags |= kResultFolded;
    return 1;
}

int frenchHyphens(SplVerifyRec* rec, u32) { return splHyphenSegments(rec, splFrenchPrefixSplit); }
int italianHyphens(SplVerifyRec* rec, u32) { return splHyphenSegments(rec, splItalianPrefixSplit); }

}  // namespace

void splVerifyInit(SplCorrCtx* ctx, u32 options, u32 language, SplVerifyRec* rec) {
    rec->ctx = ctx;
    rec->options = options;
    rec->language = language;
    rec->verify = splVerifyStandard;
    rec->splitA = nullptr;
    rec->splitB = plainHyphens;
    if (language == 1 || language == 6 || language == 8 || language == 10) {
        rec->splitA = apostropheS;
        rec->splitB = apostropheHyphens;
    } else if (language == 3 || language == 13) {
        rec->splitA = splFrenchSplitA;
        rec->splitB = frenchHyphens;
    } else if (language == 5) {
        rec->splitA = splItalianPrefixSplit;
        rec->splitB = italianHyphens;
    } else if (language == 2) {
        rec->verify = verifySharpS;
    } else if (language == 18) {
        rec->verify = verifyDotlessIo;
    }
}

int splVerifyWord(const u8* word, SplVerifyRec* rec, u32* result) {
    // A control byte is no letter of any language: such a word is simply not accepted.
    for (const u8* p = word; *p != 0; ++p) {
        if (*p < 32 || *p == 127) {
            rec->result = *result = 0;
            return 0;
        }
    }
    int answer = rec->verify(word, rec);
    *result = rec->result;
    return answer;
}

int splVerifyStandard(const u8* word, SplVerifyRec* rec) {
    rec->result = 0;
    rec->match = nullptr;
    rec->resultFlags = rec->extra = rec->flag32 = rec->marker = 0;
    std::memset(rec->marks, 0, sizeof rec->marks);
    size_t n = length(word);
    if (n == 0 || n >= size_t(kSplMaxWord)) {
        rec->word[0] = 0;
        return 0;
    }
    std::memcpy(rec->word, word, n + 1);
    bool period = rec->word[n - 1] == '.';
    if (period) rec->word[n - 1] = 0;
    if (n > 1 || !period) {
        if (splWordInLexicons(0, rec)) return 1;
        if ((rec->options & kVerifySplitA) && rec->splitA != nullptr && rec->splitA(rec, 0)) return 1;
        if ((rec->options & kVerifySplitB) && rec->splitB != nullptr && rec->splitB(rec, 0)) return 1;
    }
    if (!period) return 0;
    rec->word[n - 1] = '.';
    if (!splWordInSlots(rec->word, rec)) return 0;
    std::memset(rec->marks, 0, n);
    rec->marks[0] = kMarkWhole;
    rec->result = 1;
    return 1;
}

int splWordInLexicons(u32 offset, SplVerifyRec* rec) {
    u8* word = rec->word + offset;
    std::memset(rec->marks + offset, 0, length(word));
    if (splWordInSlots(word, rec)) {
        rec->marks[offset] = kMarkWhole;
        return 1;
    }
    if (rec->options & kVerifyCompound) {
        rec->resultFlags |= kResultCompoundTried;
        for (SplSlot* slot = rec->ctx->slots; slot < rec->ctx->end; ++slot) {
            if (!(slot->flags & kSlotCompound) || slot->compoundVerify == nullptr) continue;
            u32 near = 0, extra = 0;
            if (slot->compoundVerify(word, slot->lexicon, &near, &extra)) {
                recordMatch(rec, slot, extra);
                rec->marks[offset] = kMarkWhole;
                return 1;
            }
            if ((rec->options & kVerifyNear) && near) {
                rec->resultFlags |= kResultNear;
                recordMatch(rec, slot, extra);
                rec->marks[offset] = kMarkWhole;
                return 1;
            }
        }
    }
    rec->marks[offset] = kMarkRefused;
    return 0;
}

int splWordInSlots(const u8* word, SplVerifyRec* rec) {
    for (SplSlot* slot = rec->ctx->slots; slot < rec->ctx->end; ++slot) {
        if (!(slot->flags & (kSlotVerify | kSlotVerifyFolded)) || slot->verify == nullptr) continue;
        bool folding = (rec->options & kVerifyFolding) && (slot->flags & kSlotVerifyFolded);
        u32 near = folding ? 1 : 0, extra = 0;
        if (slot->verify(word, slot->lexicon, &near, &extra)) {
            if (folding && near) rec->resultFlags |= kResultFolded;
            recordMatch(rec, slot, extra);
            return 1;
        }
        if ((rec->options & kVerifyNear) && near) {
            rec->resultFlags |= kResultNear;
            recordMatch(rec, slot, extra);
            return 1;
        }
    }
    return 0;
}
