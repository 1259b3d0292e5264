#include "engine/base/MulDivRound.h"

#include <gtest/gtest.h>

namespace {

struct MulDivCase {
    i16 a, b, c;
    i32 expected;
};

class MulDivRoundCases : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRoundCases, RoundsByHalfTheDivisor) {
    const MulDivCase& c = GetParam();
    EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.expected);
}

INSTANTIATE_TEST_SUITE_P(MulDivRound, MulDivRoundCases,
                         ::testing::Values(MulDivCase{3, 5, 2, 8}, MulDivCase{-3, 5, 2, -7}, MulDivCase{3, 5, -2, -7},
                                           MulDivCase{32767, 32767, 1, 1073676289}, MulDivCase{-32768, 32767, 32767, -32767},
                                           MulDivCase{7, 1, 3, 2}, MulDivCase{1, 1, 2, 1}, MulDivCase{0, 9, 5, 0},
                                           // No division by zero: the result is 0.
                                           MulDivCase{3, 5, 0, 0}, MulDivCase{-32768, -32768, 0, 0}));

}  // namespace
