// The spectrum analyser against a plain DFT, its magnitudes, peaks and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "sound/record/SpectrumAnalyser.h"

namespace {

std::vector<std::complex<double>> plainDft(const std::vector<i16>& x) {
    const size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (size_t k = 0; k < n; ++k)
        for (size_t t = 0; t < n; ++t) out[k] += double(x[t]) * std::polar(1.0, -2.0 * std::numbers::pi * double(k * t % n) / double(n));
    return out;
}

std::vector<i16> tone(u32 count, double hertz, u32 rate, double amplitude) {
    std::vector<i16> out(count);
    for (u32 i = 0; i < count; ++i) out[i] = i16(std::lround(amplitude * std::sin(2 * std::numbers::pi * hertz * i / rate)));
    return out;
}

TEST(SpectrumAnalyser, TheTransformIsTheDft) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    for (const u32 points : {2u, 8u, 64u, 1024u}) {
        std::vector<i16> x(points);
        for (i16& s : x) s = i16(sample(random));
        SpectrumAnalyser analyser(points, 22050);
        analyser.Feed(x.data(), points);
        analyser.Transform();
        const auto expected = plainDft(x);
        for (u32 k = 0; k < points; ++k)
            ASSERT_LT(std::abs(analyser.Result()[k] - expected[k]), 1e-6 * points * 32768) << points << " bin " << k;
    }
}

TEST(SpectrumAnalyser, FeedsSlideTheWindow) {
    // Two feeds of 512 give the same spectrum as one feed of the 1024 samples.
    const std::vector<i16> x = tone(1024, 700, 22050, 9000);
    SpectrumAnalyser slid(1024, 22050), whole(1024, 22050);
    slid.Feed(x.data(), 512);
    slid.Transform();
    slid.Feed(x.data() + 512, 512);
    slid.Transform();
    whole.Feed(x.data(), 1024);
    whole.Transform();
    for (u32 k = 0; k < 1024; ++k) ASSERT_LT(std::abs(slid.Result()[k] - whole.Result()[k]), 1e-6);
}

TEST(SpectrumAnalyser, AToneLandsInItsBin) {
    struct Case { double hertz; u32 bin; };
    const Case cases[] = {{1000, 46}, {2000, 93}, {431, 20}, {10000, 464}};
    for (const Case& c : cases) {
        SpectrumAnalyser analyser(1024, 22050);
        const std::vector<i16> x = tone(1024, c.hertz, 22050, 16000);
        analyser.Feed(x.data(), 1024);
        analyser.Transform();
        std::vector<u16> out(512);
        u16 peak = 0, index = 0;
        ASSERT_EQ(analyser.Spectrum(out.data(), 512, &peak, &index), kErrNone);
        EXPECT_EQ(analyser.BinFor(c.hertz), c.bin);
        EXPECT_EQ(index, c.bin) << c.hertz;
        // |X| = A N / 2 for a tone on its bin, scaled by 1/N/256: about 16000 / 512.
        EXPECT_NEAR(peak, 16000.0 / 512, 10) << c.hertz;
    }
}

TEST(SpectrumAnalyser, SilenceHasNoPeak) {
    SpectrumAnalyser analyser(1024, 22050);
    const std::vector<i16> zero(512, 0);
    analyser.Feed(zero.data(), 512);
    analyser.Transform();
    std::vector<u16> out(512, 9);
    u16 peak = 9, index = 9;
    ASSERT_EQ(analyser.Spectrum(out.data(), 512, &peak, &index), kErrNone);
    EXPECT_EQ(out, std::vector<u16>(512, 0));
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(index, 0);
}

TEST(SpectrumAnalyser, ACapacityBelowTheBinsIsFilledAndRefused) {
    SpectrumAnalyser analyser(1024, 22050);
    const std::vector<i16> x = tone(1024, 1000, 22050, 16000);
    analyser.Feed(x.data(), 1024);
    analyser.Transform();
    std::vector<u16> whole(512);
    u16 wholePeak = 0, wholeIndex = 0;
    ASSERT_EQ(analyser.Spectrum(whole.data(), 512, &wholePeak, &wholeIndex), kErrNone);
    struct Case { u32 capacity; u16 result; };
    for (const Case& c : {Case{256, kSpectrumRefused}, Case{511, kSpectrumRefused}, Case{512, kErrNone}, Case{513, kErrNone}}) {
        std::vector<u16> out(514, 0xBEEF);
        u16 peak = 0, index = 0;
        EXPECT_EQ(analyser.Spectrum(out.data(), c.capacity, &peak, &index), c.result) << c.capacity;
        const u32 written = std::min(c.capacity, 512u);
        EXPECT_EQ(out[written], 0xBEEF) << c.capacity;
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + written, whole.begin())) << c.capacity;
        EXPECT_EQ(index, wholeIndex) << c.capacity;
    }
}

TEST(SpectrumAnalyser, ABusyAnalyserLeavesTheCallersValuesAlone) {
    SpectrumAnalyser analyser(1024, 22050);
    const std::vector<i16> x = tone(512, 1000, 22050, 16000);
    analyser.Feed(x.data(), 512);
    EXPECT_TRUE(analyser.Busy());
    std::vector<u16> out(512, 7);
    u16 peak = 3, index = 4;
    EXPECT_EQ(analyser.Spectrum(out.data(), 512, &peak, &index), kSpectrumRefused);
    EXPECT_EQ(out, std::vector<u16>(512, 7));
    EXPECT_EQ(peak, 3);
    EXPECT_EQ(index, 4);
    analyser.Transform();
    EXPECT_FALSE(analyser.Busy());
}

TEST(SpectrumAnalyser, StatisticsFollowPeaksAndSecondaryBins) {
    SpectrumAnalyser analyser(1024, 22050);
    // Two tones: the weaker, lower one is the first non-zero peak that the stronger replaces.
    std::vector<i16> x = tone(1024, 1000, 22050, 8000);
    const std::vector<i16> y = tone(1024, 4000, 22050, 16000);
    for (size_t i = 0; i < x.size(); ++i) x[i] = i16(x[i] + y[i]);
    analyser.Feed(x.data(), 1024);
    analyser.Transform();
    std::vector<u16> out(512);
    u16 peak = 0, index = 0;
    ASSERT_EQ(analyser.Spectrum(out.data(), 512, &peak, &index), kErrNone);
    EXPECT_EQ(index, analyser.BinFor(4000));
    const SpectrumStatistics& s = analyser.Statistics();
    EXPECT_EQ(s.highestPeak, peak);
    EXPECT_LE(s.lowestSecondaryIndex, analyser.BinFor(4000));
    EXPECT_GE(s.highestSecondaryIndex, analyser.BinFor(4000));
    EXPECT_LT(s.lowestSecondaryMagnitude, peak);
}

}  // namespace
