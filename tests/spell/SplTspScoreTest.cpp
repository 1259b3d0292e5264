#include <gtest/gtest.h>

#include <cstring>

#include "spell/SplTspScore.h"

namespace {

const u8* codes(const char* s) { return reinterpret_cast<const u8*>(s); }

struct Scores {
    u32 first, second;
};

Scores score(const char* x, const char* y, u32 b) {
    SplTspScorer s;
    u32 a = u32(std::strlen(x));
    u32 first = splTspScoreForward(codes(x), a, codes(y), b, &s);
    return {first, splTspScoreBoth(codes(x), a, codes(y), b, &s)};
}

TEST(TspScore, FrontAndBackOverlaps) {
    struct Case {
        const char* x;
        const char* y;
        u32 b;
        u32 first, second;
    } cases[] = {
        {"abcde", "abcde", 5, 65535, 65535},
        {"a", "a", 1, 65535, 65535},
        // Two letters exchanged: the matches come late, so the front-weighted score drops.
        {"ab", "ba", 2, 20 * 65536 / 22, 10 * 131072 / 30},
        // Nothing in common: only the constant of the first score is left.
        {"abc", "xyz", 3, 16 * 65536 / 28, 0},
        // The typed word cut to the candidate's length.
        {"ab", "abcd", 2, 65535, 65535},
        {"", "", 0, 65535, 65535},
        {"", "ab", 2, 16 * 65536 / 19, 0},
        // One more code in front of or behind the same three.
        {"abc", "xabc", 4, 28 * 65536 / 32, 30 * 131072 / 80},
        {"abc", "abcx", 4, 28 * 65536 / 32, 30 * 131072 / 80},
    };
    for (const Case& c : cases) {
        Scores s = score(c.x, c.y, c.b);
        EXPECT_EQ(s.first, c.first) << c.x << " " << c.y;
        EXPECT_EQ(s.second, c.second) << c.x << " " << c.y;
    }
}

}  // namespace
