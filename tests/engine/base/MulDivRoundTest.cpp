#include "engine/base/MulDivRound.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    i16 a, b, c;
    i32 expected;
};

class MulDivRoundCases : public ::testing::TestWithParam<Case> {};

TEST_P(MulDivRoundCases, RoundsByHalfTheDivisor) {
    const Case& c = GetParam();
    EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.expected);
}

INSTANTIATE_TEST_SUITE_P(MulDivRound, MulDivRoundCases,
                         ::testing::Values(Case{3, 5, 2, 8}, Case{-3, 5, 2, -7}, Case{3, 5, -2, -7},
                                           Case{32767, 32767, 1, 1073676289}, Case{-32768, 32767, 32767, -32767},
                                           Case{7, 1, 3, 2}, Case{1, 1, 2, 1}, Case{0, 9, 5, 0},
                                           // No division by zero: the result is 0.
                                           Case{3, 5, 0, 0}, Case{-32768, -32768, 0, 0}));

}  // namespace
