// The sample codecs of DefineSound, ADPCM against an encoder written here from the format's
// description.
#include <gtest/gtest.h>

#include <cmath>

#include "media/swf/SoundTags.h"
#include "tests/media/swf/PlayTestMovies.h"

using namespace swf;
using namespace swftest;

namespace {

constexpr int kSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

int IndexChange(int bits, int magnitude) {
    static const std::vector<std::vector<int>> tables = {
        {-1, 2}, {-1, -1, 2, 4}, {-1, -1, -1, -1, 2, 4, 6, 8}, {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16}};
    return tables[bits - 2][magnitude];
}

class BitWriter {
public:
    void Put(u32 value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            if (used_ % 8 == 0) bytes.push_back(0);
            if ((value >> i) & 1) bytes.back() |= u8(0x80 >> (used_ % 8));
            ++used_;
        }
    }
    Bytes bytes;

private:
    u64 used_ = 0;
};

// Picks for every sample the code whose reconstruction comes nearest; keeps the reconstruction
// that a faithful decoder must produce.
Bytes Encode(const std::vector<i16>& samples, int channels, int bits, std::vector<i16>& reconstruction) {
    BitWriter out;
    out.Put(u32(bits - 2), 2);
    int predicted[2] = {}, index[2] = {};
    const size_t frames = samples.size() / channels;
    reconstruction.assign(samples.size(), 0);
    for (size_t f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            const int target = samples[f * channels + c];
            if (f % 4096 == 0) {
                out.Put(u16(target), 16);
                out.Put(u32(index[c]), 6);
                predicted[c] = target;
            } else {
                const int step = kSteps[index[c]];
                int bestCode = 0, bestValue = 0, bestError = INT32_MAX;
                for (int code = 0; code < (1 << bits); ++code) {
                    const int magnitude = code & ((1 << (bits - 1)) - 1);
                    int difference = step >> (bits - 1);
                    for (int k = 0; k < bits - 1; ++k)
                        if (magnitude & (1 << (bits - 2 - k))) difference += step >> k;
                    if (code & (1 << (bits - 1))) difference = -difference;
                    const int value = std::clamp(predicted[c] + difference, -32768, 32767);
                    if (std::abs(value - target) < bestError) bestError = std::abs(value - target), bestCode = code, bestValue = value;
                }
                out.Put(u32(bestCode), bits);
                predicted[c] = bestValue;
                index[c] = std::clamp(index[c] + IndexChange(bits, bestCode & ((1 << (bits - 1)) - 1)), 0, 88);
            }
            reconstruction[f * channels + c] = i16(predicted[c]);
        }
    }
    return out.bytes;
}

std::vector<i16> Signal(size_t frames, int channels) {
    std::vector<i16> out(frames * channels);
    u32 noise = 12345;
    for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1103515245 + 12345;
            out[f * channels + c] = i16(9000 * std::sin(f * (0.03 + 0.02 * c)) + 3000 * std::sin(f * 0.0011) +
                                        int((noise >> 16) % 200) - 100);
        }
    return out;
}

struct LoadedSound {
    explicit LoadedSound(const Bytes& tag) {
        EXPECT_EQ(Load(doc, MovieOf(1, Concat({tag, ShowFrame()}))), kOk);
        sound = doc.FindCharacterOf<tagDefineSound>(3);
    }
    document doc;
    tagDefineSound* sound = nullptr;
};

}  // namespace

TEST(SampleCodec, AdpcmMatchesAnIndependentEncoderForEveryCodeSize) {
    for (int channels : {1, 2})
        for (int bits = 2; bits <= 5; ++bits) {
            const std::vector<i16> input = Signal(5000, channels);
            std::vector<i16> expected;
            const Bytes data = Encode(input, channels, bits, expected);
            LoadedSound l(DefineSound(3, 1, 3, true, channels == 2, 5000, data));
            ASSERT_NE(l.sound, nullptr);
            std::vector<i16> decoded(input.size());
            ASSERT_EQ(l.sound->ReadSamples(0, 5000, decoded.data()), kOk);
            ASSERT_EQ(decoded, expected) << channels << " channels, " << bits << " bits";
            // Frame 4096 starts a packet: its sample is the input's own.
            EXPECT_EQ(decoded[4096 * channels], input[4096 * channels]);
            if (bits >= 4) {
                double error = 0;
                for (size_t i = 0; i < input.size(); ++i) error += std::abs(decoded[i] - input[i]);
                EXPECT_LT(error / input.size(), 600.0) << bits;
            }
        }
}

TEST(SampleCodec, AdpcmSeeksBackwardsFromTheFirstPacket) {
    std::vector<i16> expected;
    const Bytes data = Encode(Signal(9000, 1), 1, 4, expected);
    LoadedSound l(DefineSound(3, 1, 3, true, false, 9000, data));
    std::vector<i16> out(16);
    const struct {
        u32 position;
    } reads[] = {{8500}, {100}, {4095}, {4096}, {0}, {8984}};
    for (const auto& r : reads) {
        ASSERT_EQ(l.sound->ReadSamples(r.position, 16, out.data()), kOk);
        EXPECT_EQ(out, std::vector<i16>(expected.begin() + r.position, expected.begin() + r.position + 16)) << r.position;
    }
}

TEST(SampleCodec, AdpcmPastItsDataGivesSilence) {
    std::vector<i16> expected;
    Bytes data = Encode(Signal(1000, 1), 1, 3, expected);
    data.resize(data.size() / 2);
    // The tag claims more frames than the data holds.
    LoadedSound l(DefineSound(3, 1, 3, true, false, 3000, data));
    std::vector<i16> out(3000, 77);
    ASSERT_EQ(l.sound->ReadSamples(0, 3000, out.data()), kOk);
    size_t decodedFrames = 0;
    while (decodedFrames < out.size() && decodedFrames < 1000 && out[decodedFrames] == expected[decodedFrames]) ++decodedFrames;
    EXPECT_GT(decodedFrames, 400u);
    EXPECT_LT(decodedFrames, 1000u);
    EXPECT_TRUE(std::all_of(out.begin() + decodedFrames + 1, out.end(), [](i16 s) { return s == 0; }));
    // Empty data is all silence.
    LoadedSound empty(DefineSound(3, 1, 3, true, false, 10, {}));
    ASSERT_EQ(empty.sound->ReadSamples(0, 10, out.data()), kOk);
    EXPECT_TRUE(std::all_of(out.begin(), out.begin() + 10, [](i16 s) { return s == 0; }));
}

TEST(SampleCodec, PcmReadsStoredSamplesAndSilencePastThem) {
    LoadedSound wide(DefineSound(3, 0, 3, true, true, 3, {1, 0, 2, 0, 0xFF, 0xFF, 0x00, 0x80}));
    i16 out[6];
    ASSERT_EQ(wide.sound->ReadSamples(1, 3, out), kOk);
    EXPECT_EQ(std::vector<i16>(out, out + 6), (std::vector<i16>{-1, -32768, 0, 0, 0, 0}));
    LoadedSound narrow(DefineSound(3, 0, 1, false, false, 4, {10, 20}));
    u8 bytes[4];
    ASSERT_EQ(narrow.sound->ReadSamples(1, 4, bytes), kOk);
    EXPECT_EQ(Bytes(bytes, bytes + 4), (Bytes{20, 0x80, 0x80, 0x80}));
    u16 channels = 0, bits = 0;
    u32 rate = 0, count = 0;
    ASSERT_EQ(narrow.sound->GetFormat(channels, bits, rate, count), kOk);
    EXPECT_EQ((std::vector<u32>{channels, bits, rate, count}), (std::vector<u32>{1, 8, 11025, 4}));
}

TEST(SampleCodec, WriterRefusesRatesTheFormatCannotName) {
    for (const auto& [rate, result] : {std::pair<u32, Result>{22050, kOk}, {16000, kErrBadData}, {44100, kOk}}) {
        LoadedSound l(DefineSound(3, 0, 0, false, false, 2, {1, 2}));
        l.sound->rate = rate;
        Bytes out;
        EXPECT_EQ(SaveMovieToMemory(l.doc, out), result) << rate;
    }
}
