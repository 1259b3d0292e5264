#include "engine/gfx/sprites/format/ShapeEncoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using Bytes = std::vector<u8>;

struct Sample {
    std::string name;
    Bytes data;
    // Whether the coding must come out smaller than the data.
    bool compressible;
};
void PrintTo(const Sample& s, std::ostream* os) { *os << s.name; }

Bytes noise(size_t n, u32 seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (u8& v : b) v = u8(rng());
    return b;
}

// 16-bit pixel rows as the paint tools produce them: runs of one colour and repeated rows.
Bytes pixelRows(int width, int height) {
    Bytes b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            u16 colour = u16((x / 7 + (y / 5) * 3) * 0x0421);
            b.push_back(u8(colour >> 8));
            b.push_back(u8(colour));
        }
    return b;
}

// A block repeated at a distance just inside and just past the longest back-reference.
Bytes repeatedAt(size_t distance) {
    Bytes b = noise(distance, 7);
    Bytes head(b.begin(), b.begin() + 200);
    b.insert(b.end(), head.begin(), head.end());
    return b;
}

std::vector<Sample> samples() {
    return {
        {"empty", {}, false},
        {"one byte", {0x42}, false},
        {"one unit", {1, 2}, false},
        {"odd length", {1, 2, 3, 4, 5}, false},
        {"zeros", Bytes(10000, 0), true},
        {"noise", noise(10000, 1), false},
        {"ramp", [] { Bytes b(5000); for (size_t i = 0; i < b.size(); ++i) b[i] = u8(i); return b; }(), true},
        {"pixel rows", pixelRows(320, 200), true},
        {"odd pixel rows", [] { Bytes b = pixelRows(33, 17); b.push_back(9); return b; }(), true},
        {"repeat 1023 back", repeatedAt(1023), false},
        {"repeat 1024 back", repeatedAt(1024), false},
        {"alternating units", [] { Bytes b; for (int i = 0; i < 4000; ++i) b.push_back(u8(i & 2 ? 0xAB : 0x12)); return b; }(), true},
        {"large mixed", [] { Bytes b = pixelRows(640, 120); Bytes n = noise(30001, 3); b.insert(b.end(), n.begin(), n.end()); return b; }(), true},
    };
}

class ShapeEncoderRoundTrip : public ::testing::TestWithParam<std::tuple<ShapeMethod, Sample>> {};

TEST_P(ShapeEncoderRoundTrip, DecodesBackToTheInput) {
    const auto& [method, sample] = GetParam();
    const Bytes coded = shapeEncode(method, sample.data);
    Bytes out(sample.data.size(), 0xEE);
    ASSERT_EQ(shapeDecode(method, coded, out), kErrNone);
    EXPECT_EQ(out, sample.data);
    if (sample.compressible) {
        EXPECT_LT(coded.size(), sample.data.size() / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(ShapeEncoder, ShapeEncoderRoundTrip,
                         ::testing::Combine(::testing::Values(ShapeMethod::A, ShapeMethod::B), ::testing::ValuesIn(samples())));

TEST(ShapeEncoder, MethodBCodesALoneLiteralUnitAsACodedEntry) {
    // Control byte 1 loads a table in B: a lone unit must not be coded as a one-unit literal.
    const Bytes coded = shapeEncode(ShapeMethod::B, Bytes{7, 8});
    EXPECT_EQ(coded, (Bytes{193, 0x50, 7, 8, 0}));
    EXPECT_EQ(shapeEncode(ShapeMethod::A, Bytes{7, 8}), (Bytes{1, 7, 8, 0}));
}

}  // namespace
