#include "engine/base/RandomNumbers.h"

namespace {

constexpr u32 kMultiplier = 214013;
constexpr u32 kIncrement = 2531011;
constexpr int kBits = 15;

}  // namespace

u16 Random15::next() {
    state_ = state_ * kMultiplier + kIncrement;
    return u16((state_ >> 16) & kMax);
}

Random15& sharedRandom() {
    static Random15 random;
    return random;
}

i32 RandomInRange(i32 a, i32 b) { return RandomInRange(a, b, sharedRandom()); }

i32 RandomInRange(i32 a, i32 b, Random15& random) {
    if (a >= b) return a;
    const u64 n = u64(i64(b) - i64(a)) + 1;
    // As many 15-bit draws as the range needs, joined; values at or past the largest multiple
    // of n below the joined span are drawn again, so every remainder is equally likely.
    int draws = 1;
    while ((u64(1) << (kBits * draws)) < n) ++draws;
    const u64 span = u64(1) << (kBits * draws);
    const u64 limit = span - span % n;
    u64 value;
    do {
        value = 0;
        for (int i = 0; i < draws; ++i) value = (value << kBits) | random.next();
    } while (value >= limit);
    return i32(i64(a) + i64(value % n));
}
