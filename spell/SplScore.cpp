#include "spell/SplScore.h"

#include <algorithm>

namespace {

constexpr u32 tri(u32 n) { return n * (n + 1) / 2; }

// The running overlap of the shorter string against the end of the longer one; answers the
// sum of the running match counts after each step.
template <typename T>
u32 overlap(const T* s, u32 ls, const T* l, u32 ll, i32* counts, u32 step) {
    for (u32 i = 0; i < ll - ls; ++i) --counts[l[i]];
    u32 m = 0, total = 0;
    for (u32 i = 0; i < ls; ++i) {
        if (++counts[s[i]] <= 0) m += step;
        if (--counts[l[ll - ls + i]] >= 0) m += step;
        total += m;
    }
    return total;
}

}  // namespace

u32 splFirstScore(const u8* a, u32 la, const u8* b, u32 lb) {
    la = std::min(la, kScoreMaxLetters);
    lb = std::min(lb, kScoreMaxLetters);
    const u8* l = a;
    const u8* s = b;
    u32 ll = la, ls = lb;
    if (lb > la) {
        std::swap(l, s);
        std::swap(ll, ls);
    }
    i32 counts[256] = {};
    u32 total = 2 * overlap(s, ls, l, ll, counts, 1);
    u32 whole = tri(ls) + tri(ll);
    if (total == whole) return kScoreEqual;
    return u32((u64(total + 30) * 65536) / (whole + 30));
}

u32 splScoreForward(const u16* x, u32 a, const u16* y, u32 b, SplCodeScore* s) {
    const u16* S = x;
    const u16* L = y;
    u32 ls = a, ll = b;
    if (b < a) {
        std::swap(S, L);
        std::swap(ls, ll);
    }
    for (u32 i = 0; i < a; ++i) s->counts[x[i]] = 0;
    for (u32 i = 0; i < b; ++i) s->counts[y[i]] = 0;
    s->sum = overlap(S, ls, L, ll, s->counts, 1);
    u64 score = (u64(2 * s->sum + 16) * 65536) / (tri(a) + tri(b) + 16);
    return u32(std::min<u64>(score, kScoreEqual));
}

u32 splScoreBoth(const u16* x, u32 a, const u16* y, u32 b, SplCodeScore* s) {
    const u16* S = x;
    const u16* L = y;
    u32 ls = a, ll = b;
    if (b < a) {
        std::swap(S, L);
        std::swap(ls, ll);
    }
    u64 total = 3 * u64(s->sum);
    for (u32 i = 0; i < ls; ++i) s->counts[S[i]] = 0;
    for (u32 i = ll - ls; i < ll; ++i) --s->counts[L[i]];
    u32 m = 0;
    for (u32 k = ls; k-- > 0;) {
        if (++s->counts[S[k]] <= 0) m += 2;
        if (--s->counts[L[k]] >= 0) m += 2;
        total += m;
    }
    u64 whole = 5 * u64(tri(a)) + 5 * u64(tri(b));
    if (whole == 0) return kScoreEqual;
    u64 score = (total * 131072) / whole;
    return u32(std::min<u64>(score, kScoreEqual));
}

u32 splCodeSequence(const u8* pairs, u16* seq, u32* coded, u32* changes, bool ess) {
    u32 n = 0;
    *coded = *changes = 0;
    u32 previousClass = 16, lastCode = 16;
    auto append = [&](u32 v) {
        if (n < kSeqMax) seq[n++] = u16(v);
    };
    for (const u8* p = pairs; p[0] != 0 && p[0] != 8; p += 2) {
        u8 letter = p[0], code = p[1];
        if (letter != 11) append(letter);
        if (code < 16 || code > 31) continue;
        ++*coded;
        if (code == 16 || code == 25) {
            append(code);
            ++*changes;
            continue;
        }
        if (code == lastCode) {
            if (code == 24 || code == 30 || code == 31) --*coded;
            continue;
        }
        if (ess) {
            append((code - 16) * 16 + previousClass + 240);
            ++*changes;
            previousClass = code;
        } else if (code != 24 && code != 30 && code != 31) {
            ++*changes;
            if (code != previousClass) {
                append((code - 16) * 16 + previousClass + 240);
                previousClass = code;
            }
        }
        append(code);
        lastCode = code;
    }
    return n;
}
