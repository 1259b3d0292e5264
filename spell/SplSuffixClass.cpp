#include "spell/SplSuffixClass.h"

#include <cstring>

#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"

namespace {

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

const u8* reversed(const SplTagArea* tags, u32 index) { return tags->list1[index] + tags->head[12]; }

// Whether word (of n bytes) ends with the backwards-written ending.
bool endsWith(const u8* word, size_t n, const u8* backwards) {
    size_t k = length(backwards);
    if (k >= n) return false;
    for (size_t i = 0; i < k; ++i)
        if (word[n - 1 - i] != backwards[i]) return false;
    return true;
}

// The reflexive ending of list 2 that word ends with, -1 when none.
int reflexiveAtEnd(const SplTagArea* tags, const u8* word) {
    size_t n = length(word);
    for (u32 i = 0; i < tags->count2; ++i) {
        const u8* r = tags->list2[i];
        size_t k = length(r);
        if (k < n && std::memcmp(word + n - k, r, k) == 0) return int(i);
    }
    return -1;
}

bool isReflexive(const SplTagArea* tags, const u8* word) {
    for (u32 i = 0; i < tags->count2; ++i)
        if (std::strcmp(reinterpret_cast<const char*>(tags->list2[i]), reinterpret_cast<const char*>(word)) == 0)
            return true;
    return false;
}

// Each suffix at the word's end is cut in turn and the rest fetched; the rest's class must take it.
bool suffixed(SplLexicon* lex, u8* word) {
    const SplTagArea* tags = lex->tags;
    size_t n = length(word);
    for (u32 i = tags->count1; i-- > 0;) {
        if (!endsWith(word, n, reversed(tags, i))) continue;
        size_t cut = n - length(reversed(tags, i));
        u8 kept = word[cut];
        word[cut] = 0;
        bool found = !isReflexive(tags, word) && splLexFetch(lex, word) && splSuffixTakes(tags, lex->classByte, i);
        word[cut] = kept;
        if (found) return true;
    }
    return false;
}

}  // namespace

bool splSuffixTableValid(const SplTagArea* tags) {
    const u8* h = tags->head;
    u32 rows = h[8], width = h[9];
    if (rows > kSuffixMaxRows || h[10] > 100 || h[12] != 1 || h[13] != 0) return false;
    for (u32 i = 0; i < tags->count1; ++i) {
        const u8* r = reversed(tags, i);
        size_t k = length(r);
        if (tags->list1[i][0] >= 8 * width || k == 0 || k >= kSplMaxWord || length(tags->plain1[i]) >= kSplMaxWord)
            return false;
        if (i > 0 && std::strcmp(reinterpret_cast<const char*>(reversed(tags, i - 1)), reinterpret_cast<const char*>(r)) >= 0)
            return false;
    }
    for (u32 i = 0; i < tags->count2; ++i) {
        size_t k = length(tags->list2[i]);
        if (k == 0 || k >= kSuffixMaxReflexive) return false;
    }
    return true;
}

int splSuffixAtEnd(const SplTagArea* tags, const u8* word) {
    size_t n = length(word);
    int found = -1;
    for (u32 i = 0; i < tags->count1; ++i)
        if (endsWith(word, n, reversed(tags, i))) found = int(i);
    return found;
}

u32 splSuffixText(const SplTagArea* tags, u32 index, u8* out) {
    const u8* r = reversed(tags, index);
    u32 k = u32(length(r));
    for (u32 i = 0; i < k; ++i) out[i] = r[k - 1 - i];
    out[k] = 0;
    return k;
}

bool splSuffixTakes(const SplTagArea* tags, u8 cls, u32 index) {
    if (cls < kClassByte || index >= tags->count1) return false;
    u32 row = cls & kClassMask, width = tags->head[9], bit = tags->list1[index][0];
    if (row == 0 || row >= tags->head[8] || bit >= 8 * width) return false;
    return ((tags->strings[row * width + bit / 8] >> (bit % 8)) & 1) != 0;
}

int tagfetch(SplLexicon* lex, const u8* form) {
    size_t n = length(form);
    if (lex->tags == nullptr || n == 0 || n >= size_t(kSplMaxWord)) return 0;
    u8 word[kSplMaxWord];
    std::memcpy(word, form, n + 1);
    int reflexive = reflexiveAtEnd(lex->tags, word);
    size_t reflexiveAt = reflexive < 0 ? n : n - length(lex->tags->list2[reflexive]);
    // With the reflexive ending cut first, then with it kept.
    if (reflexive >= 0) {
        word[reflexiveAt] = 0;
        if (suffixed(lex, word)) return 1;
        word[reflexiveAt] = form[reflexiveAt];
    }
    return suffixed(lex, word) ? 1 : 0;
}
