#include "engine/regions/RectConversions.h"

#include <gtest/gtest.h>

namespace {

TEST(RectConversions, LongRectValuesAreTruncatedTo16Bits) {
    Rect16 r{};
    RectFromLongRect(&r, LongRect{1, -2, 0x12345, -70000});
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, -2);
    EXPECT_EQ(r.right, 0x2345);
    EXPECT_EQ(r.bottom, i16(-70000));
}

struct Case {
    Rect16 rect, other, expected;
};

class RectCenterInCases : public ::testing::TestWithParam<Case> {};

TEST_P(RectCenterInCases, CentresKeepingTheSize) {
    Case c = GetParam();
    RectCenterIn(&c.rect, c.other);
    EXPECT_EQ(c.rect.left, c.expected.left);
    EXPECT_EQ(c.rect.top, c.expected.top);
    EXPECT_EQ(c.rect.right, c.expected.right);
    EXPECT_EQ(c.rect.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(RectConversions, RectCenterInCases,
                         ::testing::Values(Case{{0, 0, 10, 4}, {0, 0, 640, 480}, {315, 238, 325, 242}},
                                           // Odd sizes: each half rounds toward zero.
                                           Case{{0, 0, 3, 3}, {10, 10, 15, 15}, {11, 11, 14, 14}},
                                           Case{{5, 5, 25, 25}, {0, 0, 10, 10}, {-5, -5, 15, 15}},
                                           Case{{0, 0, 4, 4}, {-9, -9, -2, -2}, {-8, -8, -4, -4}}));

}  // namespace
