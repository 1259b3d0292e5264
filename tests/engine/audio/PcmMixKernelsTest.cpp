#include "engine/audio/PcmMixKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/audio/PcmMixPasses.h"

namespace {

std::vector<u8> identityTable() {
    std::vector<u8> table(256);
    std::iota(table.begin(), table.end(), 0);
    return table;
}

std::vector<u8> countingBytes(size_t n) {
    std::vector<u8> bytes(n);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

// Which source byte each output byte of a copy came from, with the identity table.
std::vector<u8> copy8(Fixed step, u32 outputs, bool identity = true) {
    const std::vector<u8> source = countingBytes(64);
    const std::vector<u8> table = identityTable();
    std::vector<u8> out(outputs, 0xEE);
    pcmMixKernelCopy8(out.data(), source.data(), outputs, 1, 1, step, kFixedOne, identity ? 1 : 0, table.data());
    return out;
}

std::vector<u8> bigEndianSamples(std::initializer_list<i16> values) {
    std::vector<u8> bytes;
    for (i16 v : values) {
        bytes.push_back(u8(u16(v) >> 8));
        bytes.push_back(u8(v));
    }
    return bytes;
}

std::vector<i16> readSamples(const std::vector<u8>& bytes) {
    std::vector<i16> samples;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) samples.push_back(i16(readLE16(&bytes[i])));
    return samples;
}

TEST(PcmMixKernels, StepsPickTheLatestSourceSampleWithoutInterpolation) {
    EXPECT_EQ(copy8(0x10000, 5, false), (std::vector<u8>{0, 1, 2, 3, 4}));
    EXPECT_EQ(copy8(0x8000, 5), (std::vector<u8>{1, 3, 5, 7, 9}));
    EXPECT_EQ(copy8(0x20000, 6), (std::vector<u8>{0, 0, 1, 1, 2, 2}));
    EXPECT_EQ(copy8(0x18000, 6), (std::vector<u8>{0, 1, 1, 2, 3, 3}));
}

TEST(PcmMixKernels, StepsApplyAlikeToSixteenBitKernels) {
    const std::vector<u8> source = bigEndianSamples({10, 20, 30, 40, 50, 60});
    std::vector<u8> out(8, 0);
    pcmMixKernelCopy16Swapped(out.data(), source.data(), 4, 2, 2, 0x18000, kFixedOne, 0, nullptr);
    EXPECT_EQ(readSamples(out), (std::vector<i16>{10, 20, 20, 30}));
    pcmMixKernelCopy16Swapped(out.data(), source.data(), 3, 2, 2, 0x8000, kFixedOne, 0, nullptr);
    EXPECT_EQ(readSamples(out), (std::vector<i16>{20, 40, 60, 30}));
}

TEST(PcmMixKernels, EightBitMixSaturatesAtFullScale) {
    const std::vector<u8> table = identityTable();
    const u8 loud[2] = {0xFF, 0x00};
    u8 out[2] = {0xFF, 0x00};
    pcmMixKernelMix8(out, loud, 2, 1, 1, kFixedOne, kFixedOne, 1, table.data());
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[1], 0);
    u8 moderate[1] = {0xA0};
    const u8 add[1] = {0x90};
    pcmMixKernelMix8(moderate, add, 1, 1, 1, kFixedOne, kFixedOne, 1, table.data());
    EXPECT_EQ(moderate[0], 0x80 + 0x20 + 0x10);
}

TEST(PcmMixKernels, SixteenBitMixSaturatesAtBothEnds) {
    const std::vector<u8> source = bigEndianSamples({30000, -30000, 100});
    std::vector<u8> out(6);
    writeLE16(&out[0], u16(i16(10000)));
    writeLE16(&out[2], u16(i16(-10000)));
    writeLE16(&out[4], u16(i16(-50)));
    pcmMixKernelMix16Swapped(out.data(), source.data(), 3, 2, 2, kFixedOne, kFixedOne, 0, nullptr);
    EXPECT_EQ(readSamples(out), (std::vector<i16>{32767, -32768, 50}));
}

TEST(PcmMixKernels, EightBitSourceMixesIntoTheHighByteOfSixteenBitOutput) {
    const std::vector<u8> table = identityTable();
    const u8 source[2] = {0x90, 0xFF};
    std::vector<u8> out(4);
    writeLE16(&out[0], 0x0234);
    writeLE16(&out[2], 0x7F12);
    pcmMixKernelMix8To16(out.data(), source, 2, 2, 1, kFixedOne, kFixedOne, 1, table.data());
    EXPECT_EQ(readLE16(&out[0]), 0x1234);  // high byte 0x02 + 0x10, low byte left alone
    EXPECT_EQ(readLE16(&out[2]), 0x7F12);  // 0x7F + 0x7F saturates at 0x7F
    pcmMixKernelCopy8To16(out.data(), source, 2, 2, 1, kFixedOne, kFixedOne, 1, table.data());
    EXPECT_EQ(readLE16(&out[0]), 0x1000);
    EXPECT_EQ(readLE16(&out[2]), 0x7F00);
}

TEST(PcmMixKernels, GainAboveUnitySaturatesInsteadOfWrapping) {
    const std::vector<u8> source = bigEndianSamples({30000, -30000, 1000});
    std::vector<u8> out(6, 0);
    pcmMixKernelCopy16Swapped(out.data(), source.data(), 3, 2, 2, kFixedOne, 0x20000, 0, nullptr);
    EXPECT_EQ(readSamples(out), (std::vector<i16>{32767, -32768, 2000}));
    EXPECT_EQ(pcmMixScale16(-32768, kFixedOne), -32768);
    EXPECT_EQ(pcmMixScale16(-3, 0x8000), -2);  // scaled values round down
}

TEST(PcmMixKernels, ScaledSampleIsTheFlooredProductHeldToSixteenBits) {
    std::mt19937 random(11);
    for (int i = 0; i < 100000; ++i) {
        const i16 sample = i16(random());
        const Fixed gain = Fixed(random() & 0x7FFFFFFF) >> (random() % 16);
        const i64 exact = std::clamp<i64>((i64(sample) * gain) >> 16, -32768, 32767);
        ASSERT_EQ(pcmMixScale16(sample, gain), exact) << sample << " x " << gain;
    }
}

TEST(PcmMixKernels, FastPathsCopyExactlyAsTheGeneralLoop) {
    const std::vector<u8> source = countingBytes(64);
    const std::vector<u8> table = identityTable();
    std::vector<u8> fast(32);
    std::vector<u8> slow(32);
    pcmMixKernelCopy8(fast.data(), source.data(), 32, 1, 1, kFixedOne, kFixedOne, 1, table.data());
    pcmMixKernelCopy8(slow.data(), source.data(), 32, 1, 1, kFixedOne, kFixedOne, 0, table.data());
    EXPECT_EQ(fast, slow);
    EXPECT_EQ(fast, std::vector<u8>(source.begin(), source.begin() + 32));

    pcmMixKernelCopy16Native(fast.data(), source.data(), 16, 2, 2, kFixedOne, kFixedOne, 0, nullptr);
    EXPECT_EQ(fast, std::vector<u8>(source.begin(), source.begin() + 32));
    pcmMixKernelCopy16Swapped(fast.data(), source.data(), 16, 2, 2, kFixedOne, kFixedOne, 0, nullptr);
    pcmMixKernelCopy16Swapped(slow.data(), source.data(), 16, 2, 2, kFixedOne, kFixedOne + 0, 0, nullptr);
    for (size_t i = 0; i < 32; i += 2) {
        EXPECT_EQ(fast[i], source[i + 1]);
        EXPECT_EQ(fast[i + 1], source[i]);
    }
}

TEST(PcmMixKernels, FillKernelsWriteSilence) {
    std::vector<u8> bytes(5, 0);
    pcmMixKernelFillBytes(bytes.data(), kSilence8, 4);
    EXPECT_EQ(bytes, (std::vector<u8>{0x80, 0x80, 0x80, 0x80, 0}));
    std::vector<u8> words(6, 0xAA);
    pcmMixKernelFillWords(words.data(), kSilence16, 2);
    EXPECT_EQ(words, (std::vector<u8>{0, 0, 0, 0, 0xAA, 0xAA}));
}

TEST(PcmMixKernels, StridesWalkInterleavedChannels) {
    const u8 stereo[8] = {1, 101, 2, 102, 3, 103, 4, 104};
    const std::vector<u8> table = identityTable();
    u8 left[4] = {};
    pcmMixKernelCopy8(left, stereo + 1, 4, 1, 2, kFixedOne, kFixedOne, 1, table.data());
    EXPECT_EQ(std::vector<u8>(left, left + 4), (std::vector<u8>{101, 102, 103, 104}));
}

TEST(PcmMixPassTables, EightBitTableScalesAroundTheMidpointAndClamps) {
    PcmMixPassSet set;
    set.passes = 1;
    set.pass[0].gain = kFixedOne;
    pcmMixBuildPassTables(set, 8);
    EXPECT_EQ(set.pass[0].identity, 1);
    set.pass[0].gain = 0x8000;
    pcmMixBuildPassTables(set, 8);
    EXPECT_EQ(set.pass[0].identity, 0);
    EXPECT_EQ(set.pass[0].table[0x80], 0x80);
    EXPECT_EQ(set.pass[0].table[0xFF], 0x80 + 63);
    EXPECT_EQ(set.pass[0].table[0x00], 0x80 - 64);
    set.pass[0].gain = 0x30000;
    pcmMixBuildPassTables(set, 8);
    EXPECT_EQ(set.pass[0].table[0xF0], 0xFF);
    EXPECT_EQ(set.pass[0].table[0x10], 0x00);
    // A 16-bit source's table is indexed by the signed high byte.
    set.pass[0].gain = kFixedOne;
    pcmMixBuildPassTables(set, 16);
    EXPECT_EQ(set.pass[0].table[0x00], 0x80);
    EXPECT_EQ(set.pass[0].table[0xFF], 0x7F);
}

TEST(PcmMixPassTables, BalanceSplitsTheVolumeBetweenTwoPasses) {
    PcmMixPassSet set;
    set.passes = 2;
    pcmMixSetPassGains(set, 0x8000, 0x0000FFFF);
    EXPECT_EQ(set.pass[0].gain, 0x8000);
    EXPECT_EQ(set.pass[1].gain, 0);
}

TEST(PcmMixKernelChoice, StereoSourceOnStereoOutputAtUnityRunsOneInterleavedPass) {
    PcmMixPassSet set;
    set.passes = 2;
    pcmMixSetPassGains(set, kFixedOne, 0xFFFFFFFF);
    const plat::WaveFormat stereo16 = plat::makePcmFormat(22050, 2, 16);
    pcmMixChooseKernels(set, stereo16, stereo16, kFixedOne, true, false);
    EXPECT_EQ(set.passesInUse, 1);
    EXPECT_EQ(set.pass[0].countMultiplier, 2u);
    EXPECT_EQ(set.pass[0].destinationStride, 2u);
    EXPECT_EQ(set.pass[0].copyKernel, kKernelCopy16Native);
    // Swapped sides keep two passes with exchanged source offsets.
    pcmMixChooseKernels(set, stereo16, stereo16, kFixedOne, false, true);
    EXPECT_EQ(set.passesInUse, 2);
    EXPECT_EQ(set.pass[0].sourceOffset, 2u);
    EXPECT_EQ(set.pass[1].sourceOffset, 0u);
    EXPECT_EQ(set.pass[0].copyKernel, kKernelCopy16Swapped);
}

TEST(PcmMixKernelChoice, StereoSourceOnMonoOutputSumsBothPassesIntoOneChannel) {
    PcmMixPassSet set;
    set.passes = 2;
    pcmMixSetPassGains(set, kFixedOne, 0xFFFFFFFF);
    pcmMixChooseKernels(set, plat::makePcmFormat(22050, 1, 8), plat::makePcmFormat(22050, 2, 16), kFixedOne, true,
                        false);
    EXPECT_EQ(set.pass[0].copyKernel, kKernelCopy8);
    EXPECT_EQ(set.pass[1].copyKernel, kKernelMix8);
    EXPECT_EQ(set.pass[0].mixOffset, 0u);
    EXPECT_EQ(set.pass[1].mixOffset, 0u);
    // The high byte of little-endian samples: offsets 1 and 3.
    EXPECT_EQ(set.pass[0].sourceOffset, 1u);
    EXPECT_EQ(set.pass[1].sourceOffset, 3u);
}

}  // namespace
