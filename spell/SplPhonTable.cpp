#include "spell/SplPhonTable.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/base/ByteOrder.h"
#include "spell/SplErrors.h"
#include "spell/SplFile.h"

namespace {

// Splits a block into exactly count NUL-terminated strings that end where the block ends.
const u8** splitStrings(const u8* block, u32 size, u32 count) {
    if (count == 0 || size == 0 || block[size - 1] != 0) return nullptr;
    const u8** table = static_cast<const u8**>(splAlloc(sizeof(u8*) * count));
    if (table == nullptr) return nullptr;
    u32 at = 0;
    for (u32 i = 0; i < count; ++i) {
        if (at >= size) {
            splFree(table);
            return nullptr;
        }
        table[i] = block + at;
        at += u32(std::strlen(reinterpret_cast<const char*>(block + at))) + 1;
    }
    if (at != size) {
        splFree(table);
        return nullptr;
    }
    return table;
}

bool readLetterTable(SplFile* file, u32 size, u8* low, u8* high, u8 column0, u8 offDiagonal) {
    if (size > 512 || !splReadExactly(low, size, file)) return false;
    if (size <= 256) {
        for (int r = 1; r <= 15; ++r)
            for (int c = 0; c < 16; ++c) low[256 + 16 * r + c] = c == 0 ? column0 : c == r ? 0 : offDiagonal;
    }
    for (int i = 0; i < 512; ++i) {
        high[i] = u8(low[i] >> 3);
        low[i] = u8(low[i] & 7);
    }
    return true;
}

// The first rule in order that matches at a place starting with a and b, if the two decide it.
u16 firstTwoAnswer(const SplPhonTable* p, u8 a, u8 b) {
    for (u32 i = p->firstRule[a]; i < p->firstRule[a + 1]; ++i) {
        const SplPhonRule& rule = p->rules[i];
        if (rule.length == 0 || (rule.second != 0 && rule.second != b)) continue;
        if (rule.length > 2) return kPhonRuleScan;
        return u16(rule.length << 8 | rule.output);
    }
    return kPhonNoOutput;
}

bool sortRules(SplPhonTable* p) {
    u32 count = p->words[0];
    p->ruleOrder = static_cast<u16*>(splAlloc(sizeof(u16) * count));
    if (p->ruleOrder == nullptr) return false;
    for (u32 i = 0; i < count; ++i) p->ruleOrder[i] = u16(i);
    // By first letter, and the longest first among those, so that the first pattern that
    // matches at a place is the longest that does.
    std::sort(p->ruleOrder, p->ruleOrder + count, [p](u16 a, u16 b) {
        const char* x = reinterpret_cast<const char*>(p->patterns[a]);
        const char* y = reinterpret_cast<const char*>(p->patterns[b]);
        if (x[0] != y[0]) return u8(x[0]) < u8(y[0]);
        size_t m = std::strlen(x), n = std::strlen(y);
        return m != n ? m > n : std::strcmp(x, y) < 0;
    });
    u32 at = 0;
    for (int c = 0; c < 256; ++c) {
        p->firstRule[c] = u16(at);
        while (at < count && p->patterns[p->ruleOrder[at]][0] == c) ++at;
    }
    p->firstRule[256] = u16(at);
    p->rules = static_cast<SplPhonRule*>(splAlloc(sizeof(SplPhonRule) * (count + 1)));
    if (p->rules == nullptr) return false;
    for (u32 i = 0; i < count; ++i) {
        const u8* pattern = p->patterns[p->ruleOrder[i]];
        size_t length = std::strlen(reinterpret_cast<const char*>(pattern));
        p->rules[i] = {pattern, length > 0 ? pattern[1] : u8(0), u8(length < 255 ? length : 255), p->outputs[p->ruleOrder[i]]};
    }
    for (u32 a = 0; a < 256; ++a)
        for (u32 b = 0; b < 256; ++b) p->firstTwo[a][b] = firstTwoAnswer(p, u8(a), u8(b));
    for (u32 a = 0; a < 32; ++a)
        for (u32 b = 0; b < 32; ++b) p->binOfCodes[a][b] = u16(splPhonBinPosition(p, u16(a << 8 | b)));
    return true;
}

// The checks that keep every later use of the tables inside them.
bool consistent(const SplPhonTable* p) {
    u32 pairCount = p->words[1], sentinel = p->words[2] & 0xFF, unknown = p->words[3];
    u32 plain = p->words[4], firstBin = p->words[5], columns = p->words[6];
    if (pairCount <= 6 || pairCount + 16 > 255) return false;
    if (sentinel <= kPairIndexSpelled || sentinel >= pairCount) return false;
    if (unknown <= kPairIndexRepeat || unknown >= pairCount) return false;
    if (plain == 0 || plain >= kPhonNoOutput) return false;
    if (p->binCount == 0 || columns == 0 || firstBin <= kPairIndexSpelled) return false;
    if (firstBin + columns - 1 >= pairCount || firstBin + (p->binCount - 1) / columns >= pairCount) return false;
    for (u32 i = 1; i < p->binCount; ++i)
        if (p->bins[i] < p->bins[i - 1]) return false;
    for (u32 r = 0; r < p->words[0]; ++r) {
        if (p->patterns[r][0] == 0) return false;
        u8 out = p->outputs[r];
        if (out >= plain && out != kPhonNoOutput && u32(out - plain) >= p->replacementCount) return false;
    }
    for (u32 i = 0; i < pairCount; ++i) {
        u8 code = p->pairs[2 * i + 1];
        if (i >= kPairIndexRepeat + 1 && code != kPairCodeNone && (code < 16 || code > 31)) return false;
    }
    return true;
}

void indexPairs(SplPhonTable* p) {
    p->pairIndex[kPairLetterSeparator][kPairCodeNone] = kPairIndexSpelled;
    p->pairIndex[kPairLetterRepeat][kPairCodeNone] = kPairIndexRepeat;
    for (u32 i = kPairIndexRepeat + 1; i < p->words[1]; ++i) {
        u8 letter = p->pairs[2 * i], code = p->pairs[2 * i + 1];
        if (i != p->words[3] && p->pairIndex[letter][code & 31] == 0) p->pairIndex[letter][code & 31] = u8(i);
    }
}

SplKeyCompareKind compareKindOf(int language) {
    if (language == 3 || language == 4 || language == 5 || language == 16) return SplKeyCompareKind::At;
    if (language == 8 || language == 9 || language == 10 || language == 15) return SplKeyCompareKind::P;
    return SplKeyCompareKind::None;
}

SplPhonTable* fail(SplPhonTable* p, SplFile* file, u32* error, u32 code) {
    splPhonClose(p);
    splFileClose(file);
    *error = code;
    return nullptr;
}

}  // namespace

SplPhonTable* splPhonOpen(const char* name, u32 offset, u32* error) {
    *error = kSplErrNone;
    SplFile* file = splFileOpen(name, kSplFileReadOnly);
    if (file == nullptr) {
        *error = kSplErrOpen;
        return nullptr;
    }
    u8 magic[4];
    if (splFileSeek(offset, file) != 0 || !splReadExactly(magic, 4, file)) return fail(nullptr, file, error, kSplErrRead);
    if (magic[2] != 'P' || magic[3] != 'H') return fail(nullptr, file, error, kSplErrFormat);
    if (magic[0] != 1 && magic[0] != 2) return fail(nullptr, file, error, kSplErrVersion);
    if (magic[1] < 1 || magic[1] > kSplMaxLang) return fail(nullptr, file, error, kSplErrLanguage);

    auto* p = new (std::nothrow) SplPhonTable;
    if (p == nullptr) return fail(nullptr, file, error, kSplErrNoMemory);
    p->language = magic[1];
    p->version = magic[0] == 1 ? 10 : 16;
    if (!splReadWords(p->words, kPhonWords, file)) return fail(p, file, error, kSplErrRead);
    const u16* w = p->words;
    if (w[0] < 1 || w[9] != 256 || w[8] != 2u * w[1] || w[12] != w[0] || w[10] > 512 || w[11] > 512 || (w[14] & 1))
        return fail(p, file, error, kSplErrRead);

    u32 err = kSplErrNone;
    if (!splAllocRead(&p->patternBlock, w[7], file, &err)) return fail(p, file, error, err);
    p->patterns = splitStrings(p->patternBlock, w[7], w[0]);
    if (p->patterns == nullptr) return fail(p, file, error, kSplErrRead);
    if (!splAllocRead(&p->pairs, w[8], file, &err)) return fail(p, file, error, err);
    u8 skipped[256];
    if (!splReadExactly(skipped, 256, file)) return fail(p, file, error, kSplErrRead);
    if (!readLetterTable(file, w[10], p->letters1, p->letters1High, '6', '$') ||
        !readLetterTable(file, w[11], p->letters2, p->letters2High, '-', 27))
        return fail(p, file, error, kSplErrRead);
    if (!splAllocRead(&p->outputs, w[12], file, &err)) return fail(p, file, error, err);
    if (w[13] > 0) {
        if (!splAllocRead(&p->replacementBlock, w[13], file, &err)) return fail(p, file, error, err);
        u32 strings = 0;
        for (u32 i = 0; i < w[13]; ++i) strings += p->replacementBlock[i] == 0;
        if (strings % 2 != 0) return fail(p, file, error, kSplErrRead);
        p->replacements = splitStrings(p->replacementBlock, w[13], strings);
        if (p->replacements == nullptr) return fail(p, file, error, kSplErrRead);
        p->replacementCount = strings / 2;
    }
    u8* binBytes = nullptr;
    if (!splAllocRead(&binBytes, w[14], file, &err)) return fail(p, file, error, err);
    p->binCount = w[14] / 2u;
    p->bins = static_cast<u16*>(splAlloc(sizeof(u16) * (p->binCount + 1)));
    if (p->bins == nullptr) {
        splFree(binBytes);
        return fail(p, file, error, kSplErrNoMemory);
    }
    for (u32 i = 0; i < p->binCount; ++i) p->bins[i] = readLE16(binBytes + 2 * i);
    splFree(binBytes);
    if (w[15] != 0 && w[15] != w[1]) return fail(p, file, error, kSplErrRead);
    if (w[15] != 0 && !splAllocRead(&p->heardAs, w[15], file, &err)) return fail(p, file, error, err);
    if (!consistent(p) || !sortRules(p)) return fail(p, file, error, kSplErrRead);
    indexPairs(p);
    p->keyCompare = compareKindOf(p->language);
    splFileClose(file);
    return p;
}

u32 splPhonBinPosition(const SplPhonTable* phon, u16 binWord) {
    u32 lo = 0, hi = phon->binCount;
    while (hi - lo > 1) {
        u32 mid = (lo + hi) / 2;
        if (phon->bins[mid] <= binWord) lo = mid;
        else hi = mid;
    }
    return lo;
}

void splPhonClose(SplPhonTable* p) {
    if (p == nullptr) return;
    splFree(p->patternBlock);
    splFree(p->patterns);
    splFree(p->pairs);
    splFree(p->outputs);
    splFree(p->replacementBlock);
    splFree(p->replacements);
    splFree(p->bins);
    splFree(p->heardAs);
    splFree(p->ruleOrder);
    splFree(p->rules);
    delete p;
}
