#include "spell/SplTspScore.h"

namespace {

u64 triangle(u32 n) { return u64(n) * (n + 1) / 2; }

struct Order {
    const u8* shorter;
    const u8* longer;
    u32 s, l;
};

// x counts as the shorter when the lengths are equal.
Order order(const u8* x, u32 a, const u8* y, u32 b) {
    return a <= b ? Order{x, y, a, b} : Order{y, x, b, a};
}

}  // namespace

u32 splTspScoreForward(const u8* x, u32 a, const u8* y, u32 b, SplTspScorer* s) {
    Order o = order(x, a, y, b);
    for (u32 i = 0; i < o.s; ++i) s->counts[o.shorter[i]] = 0;
    for (u32 i = 0; i < o.l; ++i) s->counts[o.longer[i]] = 0;
    u32 skip = o.l - o.s;
    for (u32 i = 0; i < skip; ++i) --s->counts[o.longer[i]];
    u32 m = 0;
    u64 sum = 0;
    for (u32 i = 0; i < o.s; ++i) {
        if (++s->counts[o.shorter[i]] <= 0) ++m;
        if (--s->counts[o.longer[skip + i]] >= 0) ++m;
        sum += m;
    }
    s->sum = u32(sum);
    u64 score = ((2 * sum + 16) * 65536) / (triangle(a) + triangle(b) + 16);
    return score > 65535 ? 65535 : u32(score);
}

u32 splTspScoreBoth(const u8* x, u32 a, const u8* y, u32 b, SplTspScorer* s) {
    Order o = order(x, a, y, b);
    u64 total = 3 * u64(s->sum);
    for (u32 i = 0; i < o.s; ++i) s->counts[o.shorter[i]] = 0;
    for (u32 i = o.s; i < o.l; ++i) --s->counts[o.longer[i]];
    u32 m = 0;
    for (u32 i = o.s; i-- > 0;) {
        if (++s->counts[o.shorter[i]] <= 0) m += 2;
        if (--s->counts[o.longer[i]] >= 0) m += 2;
        total += m;
    }
    u64 denominator = 5 * (triangle(a) + triangle(b));
    if (denominator == 0) return 65535;
    u64 score = total * 131072 / denominator;
    return score >= 65536 ? 65535 : u32(score);
}
