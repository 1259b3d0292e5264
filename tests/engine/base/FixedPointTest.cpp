#include "engine/base/FixedPoint.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct FixedCase {
    Fixed a;
    Fixed b;
    Fixed expected;
};

constexpr Fixed kMin = Fixed(0x80000000u);
constexpr Fixed kMax = 0x7FFFFFFF;

TEST(FixedPoint, MulBoundaryTable) {
    const FixedCase cases[] = {
        {0x10000, 0x10000, 0x10000},
        {0x7FFF0000, 0x20000, kFixedOverflow},   // 32767.0 x 2.0
        {0x3FFFFFFF, 0x20000, 0x7FFFFFFE},       // just below 32768.0
        {0x40000000, 0x20000, kFixedOverflow},   // exactly 32768.0
        {kMax, 0x10000, kMax},
        {kMin, 0x10000, kMin},                   // -32768.0 fits
        {kMin, -0x10000, kFixedOverflow},        // +32768.0 does not
        {kMin, kMin, kFixedOverflow},
        {-0x10000, 0x10000, -0x10000},
        {-0x8000, 1, -1},                        // rounds toward minus infinity
        {0x8000, 1, 0},
        {0, kMin, 0},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(fixedMul(c.a, c.b), c.expected) << std::hex << c.a << " * " << c.b;
    }
}

TEST(FixedPoint, DivBoundaryTable) {
    const FixedCase cases[] = {
        {0x10000, 0, kFixedOverflow},
        {0, 0, kFixedOverflow},
        {-0x10000, 0x20000, -0x8000},
        {0x10000, 0x30000, 0x5555},
        {-0x10000, 0x30000, -0x5555},            // truncated toward zero
        {0x10000, -0x30000, -0x5555},
        {kMax, 0x10000, kMax},
        {0x7FFF, 1, 0x7FFF0000},                 // largest integer part that fits
        {0x8000, 1, kFixedOverflow},             // integer part 32768
        {0xFFFF, 1, kFixedOverflow},
        {0x10000, 1, kFixedOverflow},            // integer part 65536
        {kMin, kMin, 0x10000},
        {kMin, -0x10000, kFixedOverflow},
        {1, kMax, 0},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(fixedDiv(c.a, c.b), c.expected) << std::hex << c.a << " / " << c.b;
    }
}

// The exact results in 128 bits, overflowing whenever they leave the signed 32-bit range.
Fixed exactOrOverflow(__int128 value) {
    return (value < kMin || value > kMax) ? kFixedOverflow : Fixed(value);
}

TEST(FixedPoint, RandomOperandsMatchExactArithmetic) {
    std::mt19937 random(7);
    auto operand = [&] {
        int shift = int(random() % 32);
        return Fixed(random()) >> shift;  // small and large magnitudes alike
    };
    for (int i = 0; i < 20000; ++i) {
        Fixed a = operand();
        Fixed b = operand();
        __int128 product = __int128(a) * b;
        __int128 floored = product >> 16;
        ASSERT_EQ(fixedMul(a, b), exactOrOverflow(floored)) << a << " * " << b;
        if (b != 0) {
            __int128 quotient = (__int128(a) << 16) / b;  // truncates toward zero
            ASSERT_EQ(fixedDiv(a, b), exactOrOverflow(quotient)) << a << " / " << b;
        }
    }
}

}  // namespace
