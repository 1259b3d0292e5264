#include "media/swfgl/ColourMath.h"

#include <gtest/gtest.h>

namespace swf::draw {
namespace {

std::vector<u8> Entries(std::initializer_list<std::pair<u8, Rgba>> points) {
    std::vector<u8> out;
    for (const auto& [ratio, c] : points) out.insert(out.end(), {ratio, c.red, c.green, c.blue, c.alpha});
    return out;
}

Rgba Texel(const u8* ramp, u32 t) { return Rgba{ramp[3 * t], ramp[3 * t + 1], ramp[3 * t + 2], 255}; }

constexpr Rgba kBlack{0, 0, 0, 255}, kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255};

TEST(GradientRamp, EndRatiosGiveTheEndColours) {
    const auto entries = Entries({{0, kRed}, {255, kBlue}});
    u8 ramp[kRampTexels * 3];
    GradientRamp(entries.data(), 2, Cxform{}, ramp);
    EXPECT_EQ(Texel(ramp, 0), kRed);
    EXPECT_EQ(Texel(ramp, 255), kBlue);
    EXPECT_EQ(Texel(ramp, 128).red, 127);  // 255 - 128 x (255 x 256 / 255) / 256
}

TEST(GradientRamp, TexelsOutsideTheRatiosTakeTheNearestEndColour) {
    const auto entries = Entries({{64, kRed}, {192, kBlue}});
    u8 ramp[kRampTexels * 3];
    GradientRamp(entries.data(), 2, Cxform{}, ramp);
    for (u32 t = 0; t <= 64; ++t) EXPECT_EQ(Texel(ramp, t), kRed) << t;
    for (u32 t = 192; t < 256; ++t) EXPECT_EQ(Texel(ramp, t), kBlue) << t;
    EXPECT_EQ(Texel(ramp, 128).blue, 127);
}

TEST(GradientRamp, OneEntryOrEqualRatiosGiveNoBlend) {
    u8 ramp[kRampTexels * 3];
    const auto one = Entries({{100, kRed}});
    GradientRamp(one.data(), 1, Cxform{}, ramp);
    for (u32 t = 0; t < 256; ++t) ASSERT_EQ(Texel(ramp, t), kRed);
    const auto equal = Entries({{0, kRed}, {100, kBlack}, {100, kBlue}});
    GradientRamp(equal.data(), 3, Cxform{}, ramp);
    EXPECT_EQ(Texel(ramp, 99).red, 2);
    EXPECT_EQ(Texel(ramp, 100), kBlue);
}

TEST(GradientRamp, ColoursGoThroughTheColourTransform) {
    const auto entries = Entries({{0, kRed}, {255, kRed}});
    u8 ramp[kRampTexels * 3];
    GradientRamp(entries.data(), 2, Cxform{{128, 256, 256, 256}, {0, 10, 0, 0}}, ramp);
    EXPECT_EQ(Texel(ramp, 40), (Rgba{127, 10, 0, 255}));
}

TEST(ColourTransform, AppliesAndCombinesWithinTheirLimits) {
    EXPECT_EQ(ApplyCxform(Rgba{200, 100, 50, 255}, Cxform{{512, 0, 256, -256}, {0, -20, 300, 0}}),
              (Rgba{255, 0, 255, 0}));
    const Cxform combined = CombineCxform(Cxform{{512, 128, 256, 256}, {200, 0, 0, 0}},
                                          Cxform{{512, 128, 256, 256}, {200, -300, 0, 0}});
    EXPECT_EQ(combined.mul[0], 256);  // 1024 limited
    EXPECT_EQ(combined.mul[1], 64);
    EXPECT_EQ(combined.add[0], 256);  // 400 limited
    EXPECT_EQ(combined.add[1], -256);
}

TEST(RadialPicture, CentreTakesTheFirstTexelAndCornersTheLast) {
    const auto entries = Entries({{0, kBlack}, {255, kRed}});
    u8 ramp[kRampTexels * 3];
    GradientRamp(entries.data(), 2, Cxform{}, ramp);
    std::vector<u8> rgb;
    RadialPicture(ramp, rgb);
    ASSERT_EQ(rgb.size(), kRadialSide * kRadialSide * 3);
    EXPECT_EQ(rgb[3 * (64 * kRadialSide + 64)], 0);
    EXPECT_EQ(rgb[3 * (64 * kRadialSide + 96)], 127);  // 32 / 64 x 255
    EXPECT_EQ(rgb[0], 255);
}

TEST(TextureSide, SmallestPowerOfTwoAtMostTheLimit) {
    struct Case {
        u64 side;
        u32 limit;
        u32 expected;
    };
    const Case cases[] = {{100, 4096, 128}, {128, 4096, 128}, {129, 4096, 256}, {1, 4096, 1},
                          {0, 4096, 0},     {4096, 4096, 4096}, {4097, 4096, 4096}, {u64(1) << 40, 4096, 4096},
                          {5000, 3000, 2048}, {65536, u32(1) << 31, 65536}};
    for (const Case& c : cases) EXPECT_EQ(TextureSide(c.side, c.limit), c.expected) << c.side << " " << c.limit;
}

}  // namespace
}  // namespace swf::draw
