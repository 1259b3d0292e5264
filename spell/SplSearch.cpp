#include "spell/SplSearch.h"

#include <cassert>
#include <cstring>

// Items' data bytes are never 0, so an item starts just behind the previous NUL.
int ssearch(const u8* key, const u8* table, u32 length, u32 k, u32* position) {
    u32 lo = 0, hi = length;
    int prefix = 0;
    while (lo < hi) {
        u32 start = lo + (hi - lo) / 2;
        while (start > lo && table[start - 1] != 0) --start;
        const u8* s = table + start + k;
        u32 room = length - start - k;
        const void* nul = start + k < length ? std::memchr(s, 0, room) : nullptr;
        if (nul == nullptr) break;
        u32 i = 0;
        while (key[i] != 0 && key[i] == s[i]) ++i;
        if (key[i] == 0 && s[i] == 0) {
            *position = start;
            return -1;
        }
        if (key[i] == 0 || key[i] < s[i]) {
            if (key[i] == 0) prefix = 1;
            hi = start;
        } else {
            lo = u32(static_cast<const u8*>(nul) - table) + 1;
        }
    }
    *position = lo;
    return prefix;
}

int splSuffixMatch(const u8* word, const u8* table, u32 count, u32 width, u32 offset, bool keepLast) {
    u32 length = u32(std::strlen(reinterpret_cast<const char*>(word)));
    int found = -1;
    for (u32 e = 0; e < count; ++e) {
        const u8* ending = table + e * width + offset;
        u32 i = 0;
        int order = 0;
        for (; i < width - offset && ending[i] != 0; ++i) {
            if (i >= length) {
                order = 1;
                break;
            }
            u8 w = word[length - 1 - i];
            if (ending[i] != w) {
                order = ending[i] < w ? -1 : 1;
                break;
            }
        }
        if (order > 0) break;
        if (order == 0) {
            found = int(e);
            if (!keepLast) return found;
        }
    }
    return found;
}

u32 seqlen(const u8* a, const u8* b, u32 la, u32 lb) {
    assert(la <= 255 && lb <= 255);
    u32 n = (la < lb ? la : lb) + 1;
    u8 threshold[256];
    std::memset(threshold, int(lb), n);
    for (u32 i = 0; i < la; ++i) {
        for (u32 j = lb; j-- > 0;) {
            if (b[j] != a[i]) continue;
            for (u32 t = 0; t < n; ++t) {
                if (threshold[t] >= j) {
                    threshold[t] = u8(j);
                    break;
                }
            }
        }
    }
    u32 answer = 0;
    for (u32 t = 0; t < n; ++t) answer += threshold[t] < lb;
    return answer;
}
