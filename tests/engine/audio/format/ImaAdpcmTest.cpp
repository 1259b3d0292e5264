#include "engine/audio/format/ImaAdpcm.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/audio/format/ImaReference.h"

namespace {

std::vector<u8> noise(size_t bytes, u32 seed) {
    std::mt19937 random(seed);
    std::vector<u8> out(bytes);
    for (u8& b : out) b = u8(random());
    return out;
}

TEST(ImaAdpcm, DecodesLikeThePublishedDescriptionForMonoAndStereo) {
    for (u16 channels : {u16(1), u16(2)}) {
        for (u32 frames : {1u, 2u, 3u, 1001u, 20000u}) {
            const std::vector<u8> data = noise(imaBytesForFrames(frames, channels), frames * channels);
            ImaChannelState states[2] = {};
            std::vector<i16> out(size_t(frames) * channels);
            imaDecode(data.data(), false, frames, channels, states, out.data());
            imaref::Channel ref[2];
            EXPECT_EQ(out, imaref::decode(data, frames, channels, ref)) << channels << " x " << frames;
            EXPECT_EQ(states[0].predictor, ref[0].predictor);
            EXPECT_EQ(states[0].index, ref[0].index);
        }
    }
}

TEST(ImaAdpcm, LoudInputClampsThePredictorAndTheIndexAtBothEnds) {
    // 0x77: the largest rise each nibble; 0xFF: the largest fall.
    for (u8 byte : {u8(0x77), u8(0xFF), u8(0x00), u8(0x88)}) {
        const std::vector<u8> data(400, byte);
        ImaChannelState state{};
        std::vector<i16> out(800);
        imaDecode(data.data(), false, 800, 1, &state, out.data());
        EXPECT_EQ(out, imaref::decode(data, 800, 1)) << int(byte);
        EXPECT_LE(state.index, kImaMaxStepIndex);
    }
}

TEST(ImaAdpcm, AMonoRunFromAnOddFrameBeginsWithTheLowNibble) {
    const std::vector<u8> data = noise(50, 3);
    const std::vector<i16> whole = imaref::decode(data, 100, 1);
    ImaChannelState state{};
    std::vector<i16> first(1), rest(98);
    imaDecode(data.data(), false, 1, 1, &state, first.data());
    imaDecode(data.data(), true, 98, 1, &state, rest.data());
    EXPECT_EQ(first[0], whole[0]);
    EXPECT_EQ(rest, std::vector<i16>(whole.begin() + 1, whole.begin() + 99));
}

TEST(ImaAdpcm, DifferenceTableMatchesTheStepArithmetic) {
    for (u16 i = 0; i <= kImaMaxStepIndex; ++i) {
        for (u8 n = 0; n < 16; ++n) {
            imaref::Channel c{0, i};
            EXPECT_EQ(std::clamp(imaDifference(i, n), -32768, 32767), imaref::decodeNibble(c, n)) << i << "/" << int(n);
        }
    }
}

}  // namespace
