#include "engine/audio/PcmMixVectorKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <vector>

#include "engine/audio/PcmMixPasses.h"

namespace {

constexpr PcmMixSampleKernel kPortable[8] = {
    pcmMixKernelMix8,  pcmMixKernelMix8To16,  pcmMixKernelMix16Swapped,  pcmMixKernelMix16Native,
    pcmMixKernelCopy8, pcmMixKernelCopy8To16, pcmMixKernelCopy16Swapped, pcmMixKernelCopy16Native,
};

struct SlotShape {
    u8 slot;
    u32 destinationBytes;
    u32 sourceBytes;
};

constexpr SlotShape kShapes[8] = {
    {kKernelMix8, 1, 1},   {kKernelMix8To16, 2, 1},   {kKernelMix16Swapped, 2, 2},   {kKernelMix16Native, 2, 2},
    {kKernelCopy8, 1, 1},  {kKernelCopy8To16, 2, 1},  {kKernelCopy16Swapped, 2, 2},  {kKernelCopy16Native, 2, 2},
};

// Gains on both sides of every case the lane arithmetic tells apart: zero, fractions with and
// without the top fraction bit, unity and one past it, whole parts that saturate.
constexpr Fixed kGains[] = {0,       1,       0x4000,  0x7FFF,  0x8000,     0xC000,    0xFFFF,
                            0x10000, 0x10001, 0x18000, 0x20000, 0x7FFF0000, 0x7FFFFFFF};

struct Case {
    const SlotShape* shape;
    u32 count;
    u32 destinationOffset;
    u32 sourceOffset;
    u32 destinationStride;
    u32 sourceStride;
    Fixed step;
    Fixed gain;
    bool randomTable;
};

// Samples that favour the extremes, where saturation and the signed lanes go wrong first.
u8 sampleByte(std::mt19937& random) {
    switch (random() % 8) {
    case 0: return 0x00;
    case 1: return 0xFF;
    case 2: return 0x80;
    case 3: return 0x7F;
    default: return u8(random());
    }
}

Case randomCase(std::mt19937& random) {
    Case c{};
    c.shape = &kShapes[random() % 8];
    c.count = 1 + random() % 200;
    c.destinationOffset = random() % 33;
    c.sourceOffset = random() % 33;
    c.destinationStride = c.shape->destinationBytes;
    c.sourceStride = c.shape->sourceBytes;
    if (random() % 8 == 0) c.destinationStride *= 2;
    if (random() % 8 == 0) c.sourceStride *= 2;
    c.step = random() % 8 == 0 ? Fixed(0x8000 + random() % 0x18000) : kFixedOne;
    c.gain = random() % 4 == 0 ? Fixed(random() & 0x3FFFF) : kGains[random() % std::size(kGains)];
    c.randomTable = random() % 8 == 0;
    return c;
}

// Runs one case through `kernel` on buffers made from `seed`; returns the whole destination.
std::vector<u8> run(PcmMixSampleKernel kernel, const Case& c, u32 seed) {
    std::mt19937 random(seed);
    // Each source sample gives step / 65536 outputs: count outputs read count x 65536 / step.
    const size_t sourceSamples = size_t((u64(c.count) << 16) / u64(c.step)) + 2;
    std::vector<u8> source(c.sourceOffset + sourceSamples * c.sourceStride);
    std::vector<u8> destination(c.destinationOffset + size_t(c.count) * c.destinationStride);
    for (u8& b : source) b = sampleByte(random);
    for (u8& b : destination) b = sampleByte(random);
    PcmMixPassSet set;
    set.pass[0].gain = c.gain;
    pcmMixBuildPassTables(set, 8);
    if (c.randomTable)
        for (u8& b : set.pass[0].table) b = u8(random());
    kernel(destination.data() + c.destinationOffset, source.data() + c.sourceOffset, c.count, c.destinationStride,
           c.sourceStride, c.step, c.gain, c.randomTable ? 0 : set.pass[0].identity, set.pass[0].table);
    return destination;
}

class PcmMixVectorKernels : public testing::TestWithParam<PcmMixVectorLevel> {};

TEST_P(PcmMixVectorKernels, EveryKernelGivesThePortableSamples) {
    const PcmMixKernelTable& kernels = pcmMixKernelsFor(GetParam());
    std::mt19937 random(2026);
    for (int i = 0; i < 20000; ++i) {
        const Case c = randomCase(random);
        const u32 seed = u32(random());
        ASSERT_EQ(run(kernels.sample[c.shape->slot], c, seed), run(kPortable[c.shape->slot], c, seed))
            << "slot " << int(c.shape->slot) << " count " << c.count << " gain " << c.gain << " step " << c.step
            << " strides " << c.destinationStride << "/" << c.sourceStride << " offsets " << c.destinationOffset
            << "/" << c.sourceOffset << (c.randomTable ? " random table" : "");
    }
}

TEST_P(PcmMixVectorKernels, EveryGainOnLongRunsGivesThePortableSamples) {
    const PcmMixKernelTable& kernels = pcmMixKernelsFor(GetParam());
    for (const SlotShape& shape : kShapes) {
        for (Fixed gain : kGains) {
            const Case c{&shape, 1000, 3, 1, shape.destinationBytes, shape.sourceBytes, kFixedOne, gain, false};
            ASSERT_EQ(run(kernels.sample[shape.slot], c, 5), run(kPortable[shape.slot], c, 5))
                << "slot " << int(shape.slot) << " gain " << gain;
        }
    }
}

// Every pair of destination and source byte through the 8-bit kernels, each source byte in even
// and odd lanes alike, on both sides of each gain where the lanes change method: the fraction's
// top bit, the largest fraction and unity, unity and the first gain above it; and a table no
// gain makes, which only a look-up copies.
TEST_P(PcmMixVectorKernels, EightBitKernelsGiveThePortableSamplesForEveryBytePair) {
    const PcmMixKernelTable& kernels = pcmMixKernelsFor(GetParam());
    constexpr u32 kPairs = 65536;
    std::vector<u8> source(kPairs), destination(kPairs);
    for (u32 i = 0; i < kPairs; ++i) {
        destination[i] = u8(i >> 8);
        source[i] = u8(i ^ (i >> 8));
    }
    const struct {
        Fixed gain;
        bool randomTable;
    } rows[] = {{0, false},      {0x7FFF, false},  {0x8000, false}, {0xFFFF, false},
                {0x10000, false}, {0x10001, false}, {0x8000, true}};
    std::mt19937 random(15);
    for (const auto& row : rows) {
        PcmMixPassSet set;
        set.pass[0].gain = row.gain;
        pcmMixBuildPassTables(set, 8);
        PcmMixPass& pass = set.pass[0];
        if (row.randomTable) {
            for (u8& b : pass.table) b = u8(random());
            pass.identity = 0;
        }
        for (u8 slot : {u8(kKernelCopy8), u8(kKernelMix8)}) {
            std::vector<u8> vector = destination, portable = destination;
            kernels.sample[slot](vector.data(), source.data(), kPairs, 1, 1, kFixedOne, row.gain, pass.identity,
                                 pass.table);
            kPortable[slot](portable.data(), source.data(), kPairs, 1, 1, kFixedOne, row.gain, pass.identity,
                            pass.table);
            ASSERT_EQ(vector, portable) << "slot " << int(slot) << " gain " << row.gain
                                        << (row.randomTable ? " random table" : "");
        }
    }
}

TEST_P(PcmMixVectorKernels, FillKernelsAreThePortableOnes) {
    const PcmMixKernelTable& kernels = pcmMixKernelsFor(GetParam());
    EXPECT_EQ(kernels.fillBytes, pcmMixKernelFillBytes);
    EXPECT_EQ(kernels.fillWords, pcmMixKernelFillWords);
}

INSTANTIATE_TEST_SUITE_P(Levels, PcmMixVectorKernels,
                         testing::Values(PcmMixVectorLevel::kPortable, PcmMixVectorLevel::kSse2,
                                         PcmMixVectorLevel::kAvx2, PcmMixVectorLevel::kAvx512));

TEST(PcmMixVectorLevels, TheVectorPathForcedOffGivesThePortableTable) {
    const PcmMixKernelTable& kernels = pcmMixKernelsFor(PcmMixVectorLevel::kPortable);
    EXPECT_EQ(&kernels, &pcmMixPortableKernels());
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(kernels.sample[slot], kPortable[slot]) << slot;
}

// The AVX-512 kernels run only with all three of their instruction sets; without any one of
// them the AVX2 test decides.
TEST(PcmMixVectorLevels, EachLevelNeedsEveryInstructionSetItUses) {
    const struct {
        PcmMixCpuFeatures features;
        PcmMixVectorLevel level;
    } rows[] = {
        {{true, true, true, true}, PcmMixVectorLevel::kAvx512},
        {{true, false, true, true}, PcmMixVectorLevel::kAvx2},
        {{true, true, false, true}, PcmMixVectorLevel::kAvx2},
        {{true, true, true, false}, PcmMixVectorLevel::kAvx2},
        {{false, true, true, false}, PcmMixVectorLevel::kSse2},
        {{true, false, false, false}, PcmMixVectorLevel::kAvx2},
        {{false, false, false, false}, PcmMixVectorLevel::kSse2},
    };
    for (const auto& row : rows) {
        const PcmMixCpuFeatures& f = row.features;
        EXPECT_EQ(pcmMixVectorLevelFor(f), row.level)
            << "avx2 " << f.avx2 << " avx512f " << f.avx512f << " bw " << f.avx512bw << " vbmi " << f.avx512vbmi;
    }
}

TEST(PcmMixVectorLevels, TheBuiltInTableIsTheBestLevelsTable) {
    EXPECT_EQ(&pcmMixBuiltInKernels(), &pcmMixKernelsFor(pcmMixBestVectorLevel()));
    EXPECT_GE(pcmMixBestVectorLevel(), PcmMixVectorLevel::kSse2);
    EXPECT_EQ(&pcmMixKernelsFor(PcmMixVectorLevel::kSse2), &pcmMixSse2Kernels());
}

TEST(PcmMixVectorLevels, ATableFollowsItsGainOnlyWhenEveryEntryAgrees) {
    for (Fixed gain : kGains) {
        PcmMixPassSet set;
        set.pass[0].gain = gain;
        pcmMixBuildPassTables(set, 8);
        EXPECT_TRUE(pcmMixTableFollowsGain(set.pass[0].table, gain)) << gain;
        for (int entry : {0, 127, 255}) {
            u8 changed[256];
            std::copy(std::begin(set.pass[0].table), std::end(set.pass[0].table), changed);
            changed[entry] ^= 1;
            EXPECT_FALSE(pcmMixTableFollowsGain(changed, gain)) << gain << " entry " << entry;
        }
        // A 16-bit source's table (indexed by the signed high byte) is not an 8-bit one,
        // except at gain zero, where both are all silence.
        pcmMixBuildPassTables(set, 16);
        EXPECT_EQ(pcmMixTableFollowsGain(set.pass[0].table, gain), gain == 0) << gain;
    }
}

}  // namespace
