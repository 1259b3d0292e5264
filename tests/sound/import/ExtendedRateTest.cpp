// The 80-bit rate of AIFF files, both ways.
#include <gtest/gtest.h>

#include "sound/import/ExtendedRate.h"

namespace {

TEST(ExtendedRate, CommonRatesRoundTrip) {
    for (const u32 rate : {1u, 8000u, 11025u, 22050u, 32000u, 44100u, 48000u, 65535u, 96000u, 0xFFFFFFFFu})
        EXPECT_EQ(readExtendedRate(writeExtendedRate(rate).data()), rate) << rate;
}

TEST(ExtendedRate, KnownEncodingsAndRefusals) {
    struct Case { std::array<u8, 10> bytes; u32 rate; };
    const Case cases[] = {
        {{0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}, 44100},
        {{0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}, 22050},
        {{0x40, 0x0B, 0xFA, 0x00, 0, 0, 0, 0, 0, 0}, 8000},
        {{0x40, 0x0D, 0xAC, 0x45, 0, 0, 0, 0, 0, 0}, 22051},  // 22050.5 rounds up
        {{0xC0, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}, 0},      // negative
        {{0x40, 0x0E, 0x2C, 0x44, 0, 0, 0, 0, 0, 0}, 0},      // no integer bit
        {{0x40, 0x1E, 0x80, 0, 0, 0, 0, 0, 0, 0}, 0x80000000u},
        {{0x40, 0x1F, 0x80, 0, 0, 0, 0, 0, 0, 0}, 0},         // 2^32: too large
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(readExtendedRate(c.bytes.data()), c.rate);
}

}  // namespace
