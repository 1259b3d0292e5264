#include "spell/SplTypoPrim.h"

#include <cstring>

namespace {

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

// 0 unequal, 1 equal, 2 equal after folding.
int same(u8 a, u8 b, const u8* fold) {
    if (a == b) return 1;
    return fold[a] == fold[b] ? 2 : 0;
}

}  // namespace

int splTypoInsertCompare(const u8* longstr, const u8* shortstr, const u8* fold, u32 inscnt, u32* penalty) {
    if (length(longstr) != length(shortstr) + inscnt) return 0;
    u32 used = 0;
    const u8* l = longstr;
    for (const u8* s = shortstr; *s != 0; ++l) {
        int m = same(*l, *s, fold);
        if (m != 0) {
            if (m == 2) ++*penalty;
            ++s;
            continue;
        }
        if (++used > inscnt) return 0;
    }
    return 1;
}

int splTypoSameLength(const u8* word1, const u8* word2, const u8* fold, u32* kind, u32* penalty) {
    if (length(word1) != length(word2)) return 0;
    *kind = kTypoAccent;
    bool slipped = false;
    for (size_t i = 0; word1[i] != 0; ++i) {
        int m = same(word1[i], word2[i], fold);
        if (m == 2) ++*penalty;
        if (m != 0) continue;
        if (slipped) return 0;
        slipped = true;
        if (same(word1[i + 1], word2[i + 1], fold) != 0) {
            *kind = i == 0 ? kTypoFirstLetter : kTypoReplaced;
            continue;
        }
        int cross1 = same(word1[i], word2[i + 1], fold);
        int cross2 = same(word1[i + 1], word2[i], fold);
        if (cross1 == 0 || cross2 == 0) return 0;
        *penalty += u32(cross1 == 2) + u32(cross2 == 2);
        *kind = kTypoExchange;
        ++i;
    }
    return 1;
}

int splTypoTolerance(const u8* candidate, const SplTypoWord* typed, u32* kind, u32* penalty) {
    i32 difference = i32(length(candidate)) - i32(typed->length);
    i32 reach = difference < 0 ? -difference : difference;
    if (difference != 0) {
        if (typed->tolerance > 0 && reach > typed->tolerance) return 0;
        *kind = difference > 0 ? kTypoMissing : kTypoExtra;
        return difference > 0 ? splTypoInsertCompare(candidate, typed->word, typed->fold, u32(reach), penalty)
                              : splTypoInsertCompare(typed->word, candidate, typed->fold, u32(reach), penalty);
    }
    return splTypoSameLength(candidate, typed->word, typed->fold, kind, penalty);
}
