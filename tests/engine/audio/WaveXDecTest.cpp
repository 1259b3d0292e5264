// The decompressors against their yardsticks: PCM decodes are copies, IMA ADPCM decodes
// equal the published algorithm, and a decode after any seek equals the same frames of one
// continuous decode; nothing is read past the stored bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

#include "engine/audio/AdpcmXDec.h"
#include "engine/audio/PcmXDec.h"
#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "tests/engine/audio/format/ImaReference.h"

namespace {

// A host whose samples sit in memory and which counts what the decoder read.
class TestHost : public WaveXDecHost {
public:
    explicit TestHost(std::vector<u8> samples, bool inMemory = true)
        : samples_(std::move(samples)), source_(*this, inMemory) {}
    WaveSampleSource& Samples() override { return source_; }
    std::unique_ptr<std::vector<u8>> ClaimChunk(FourCC tag) override {
        auto found = chunks.find(tag);
        if (found == chunks.end()) return nullptr;
        auto chunk = std::make_unique<std::vector<u8>>(std::move(found->second));
        chunks.erase(found);
        return chunk;
    }
    std::map<FourCC, std::vector<u8>> chunks;
    u64 bytesRead = 0;

private:
    class Source : public WaveSampleSource {
    public:
        Source(TestHost& host, bool inMemory) : host_(host), inMemory_(inMemory) {}
        EngineErr Read(u32 offset, u8* out, u32 count) override {
            if (offset > host_.samples_.size() || count > host_.samples_.size() - offset) return kAudioErrNotSound;
            std::memcpy(out, host_.samples_.data() + offset, count);
            host_.bytesRead += count;
            return kErrNone;
        }
        bool InMemory() const override { return inMemory_; }

    private:
        TestHost& host_;
        bool inMemory_;
    };
    std::vector<u8> samples_;
    Source source_;
};

std::vector<u8> noise(size_t bytes, u32 seed) {
    std::mt19937 random(seed);
    std::vector<u8> out(bytes);
    for (u8& b : out) b = u8(random());
    return out;
}

size_t bytesFor(u32 frames, u16 channels) { return channels == 1 ? (frames + 1) / 2 : frames; }

std::vector<i16> asSamples(const std::vector<u8>& bytes) {
    std::vector<i16> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

struct Adpcm {
    Adpcm(std::vector<u8> data, u16 channels, std::vector<AdpcmSeekEntry> table = {})
        : host(data), sampleCount(data.size()) {
        if (!table.empty()) host.chunks[kWaveAdpcmChunk] = writeAdpcmSeekTable(table, channels);
        decoder = AdpcmXDec::Create(host);
        bool native = false;
        result = decoder->SetFormat(plat::makePcmFormat(22050, channels, 16), u32(hostBytes()), &stateSize, &native);
        state.assign(stateSize, 0);
        nativeOrder = native;
    }
    size_t hostBytes() { return sampleCount; }
    std::vector<i16> decode(u32 first, u32 frames, u16 channels) {
        std::vector<u8> out(size_t(frames) * channels * 2);
        EXPECT_EQ(decoder->Decode(out.data(), frames, first, state.data()), kErrNone);
        return asSamples(out);
    }
    TestHost host;
    size_t sampleCount = 0;
    std::unique_ptr<WaveXDec> decoder;
    u32 stateSize = 0;
    bool nativeOrder = false;
    EngineErr result = 0;
    std::vector<u8> state;
};

TEST(PcmXDec, DecodesAreCopiesAndFramesPastTheDataAreSilence) {
    const std::vector<u8> data = noise(10, 1);
    for (u16 bits : {u16(8), u16(16)}) {
        TestHost host(data);
        auto decoder = PcmXDec::Create(host);
        u32 stateSize = 9;
        bool native = true;
        ASSERT_EQ(decoder->SetFormat(plat::makePcmFormat(22050, 1, bits), 10, &stateSize, &native), kErrNone);
        EXPECT_EQ(stateSize, 0u);
        EXPECT_FALSE(native);
        const u32 frameBytes = bits / 8;
        std::vector<u8> out(4 * frameBytes);
        ASSERT_EQ(decoder->Decode(out.data(), 4, 1, nullptr), kErrNone);
        EXPECT_EQ(std::vector<u8>(out.begin(), out.end()), std::vector<u8>(data.begin() + frameBytes, data.begin() + 5 * frameBytes));
        // The last frame and three past the end.
        const u32 last = 10 / frameBytes - 1;
        ASSERT_EQ(decoder->Decode(out.data(), 4, last, nullptr), kErrNone);
        const u8 silence = bits == 8 ? 0x80 : 0;
        EXPECT_EQ(std::vector<u8>(out.begin(), out.begin() + frameBytes),
                  std::vector<u8>(data.end() - frameBytes, data.end())) << bits;
        EXPECT_EQ(std::count(out.begin() + frameBytes, out.end(), silence), std::ptrdiff_t(3 * frameBytes)) << bits;
        EXPECT_EQ(host.bytesRead, 4 * frameBytes + frameBytes);
    }
}

TEST(PcmXDec, PreloadCopiesOnlyTheHeadOfAStreamAndNoMoreThanIsStored) {
    const std::vector<u8> data = noise(100, 2);
    TestHost streamed(data, false);
    auto decoder = PcmXDec::Create(streamed);
    u32 stateSize = 0;
    bool native = false;
    decoder->SetFormat(plat::makePcmFormat(22050, 2, 16), 100, &stateSize, &native);
    ASSERT_EQ(decoder->Preload(1000), kErrNone);  // 4000 bytes asked, 100 stored
    EXPECT_EQ(streamed.bytesRead, 100u);
    std::vector<u8> out(40);
    ASSERT_EQ(decoder->Decode(out.data(), 10, 0, nullptr), kErrNone);
    EXPECT_EQ(streamed.bytesRead, 100u);  // from the head copy
    EXPECT_EQ(out, std::vector<u8>(data.begin(), data.begin() + 40));

    TestHost inMemory(data, true);
    auto second = PcmXDec::Create(inMemory);
    second->SetFormat(plat::makePcmFormat(22050, 2, 16), 100, &stateSize, &native);
    ASSERT_EQ(second->Preload(10), kErrNone);
    EXPECT_EQ(inMemory.bytesRead, 0u);
}

TEST(AdpcmXDec, RefusesFormatsItCannotProduce) {
    struct Case {
        u16 channels, bits;
        EngineErr expected;
    };
    for (const Case c : {Case{1, 16, kErrNone}, Case{2, 16, kErrNone}, Case{2, 8, kAudioErrUnsupported},
                         Case{3, 16, kAudioErrUnsupported}, Case{0, 16, kAudioErrUnsupported}}) {
        TestHost host({});
        auto decoder = AdpcmXDec::Create(host);
        u32 stateSize = 0;
        bool native = false;
        plat::WaveFormat format = plat::makePcmFormat(22050, 1, c.bits);
        format.channels = c.channels;
        EXPECT_EQ(decoder->SetFormat(format, 0, &stateSize, &native), c.expected) << c.channels << "/" << c.bits;
        if (c.expected == kErrNone) {
            EXPECT_EQ(stateSize, (c.channels + 1u) * 4);
            EXPECT_TRUE(native);
        }
    }
}

TEST(AdpcmXDec, ContinuousDecodeEqualsTheReferenceAcrossInputBuffers) {
    for (u16 channels : {u16(1), u16(2)}) {
        const u32 frames = 3 * AdpcmXDec::kInputBytes * 2 + 7;
        const std::vector<u8> data = noise(bytesFor(frames, channels), channels);
        Adpcm a(data, channels);
        ASSERT_EQ(a.result, kErrNone);
        std::vector<i16> decoded;
        for (u32 first = 0; first < frames; first += 1000) {
            const std::vector<i16> part = a.decode(first, std::min(1000u, frames - first), channels);
            decoded.insert(decoded.end(), part.begin(), part.end());
        }
        EXPECT_EQ(decoded, imaref::decode(data, frames, channels)) << channels;
    }
}

TEST(AdpcmXDec, SeekThenDecodeEqualsContinuousDecodeWithAndWithoutSeekStates) {
    for (u16 channels : {u16(1), u16(2)}) {
        const u32 frames = 40000;
        const std::vector<u8> data = noise(bytesFor(frames, channels), 7 + channels);
        const std::vector<i16> whole = imaref::decode(data, frames, channels);
        // Seek states every 10000 frames, taken from a continuous reference decode.
        std::vector<AdpcmSeekEntry> table;
        imaref::Channel ref[2];
        for (u32 f = 0; f < frames; ++f) {
            if (f % 10000 == 0) {
                AdpcmSeekEntry e{f, {}};
                for (u16 c = 0; c < channels; ++c) e.channels[c] = {i16(ref[c].predictor), u16(ref[c].index)};
                table.push_back(e);
            }
            if (channels == 1) {
                imaref::decodeNibble(ref[0], f % 2 == 0 ? data[f / 2] >> 4 : data[f / 2] & 15);
            } else {
                imaref::decodeNibble(ref[0], data[f] >> 4);
                imaref::decodeNibble(ref[1], data[f] & 15);
            }
        }
        for (bool withTable : {false, true}) {
            Adpcm a(data, channels, withTable ? table : std::vector<AdpcmSeekEntry>{});
            // Forward, back to an earlier frame, to an odd frame, onto a seek state.
            for (u32 first : {25001u, 3u, 30000u, 9999u, 0u}) {
                const std::vector<i16> got = a.decode(first, 777, channels);
                const auto from = whole.begin() + ptrdiff_t(first) * channels;
                EXPECT_EQ(got, std::vector<i16>(from, from + 777 * channels))
                    << channels << " channels from " << first << (withTable ? " with states" : "");
            }
        }
    }
}

TEST(AdpcmXDec, AStateForFrameZeroStartsEveryDecodeFromTheBeginning) {
    for (u16 channels : {u16(1), u16(2)}) {
        const u32 frames = 300;
        const std::vector<u8> data = noise(bytesFor(frames, channels), 11 + channels);
        const std::vector<AdpcmSeekEntry> table = {{0, {{{1200, 30}, {-700, 12}}}}};
        imaref::Channel start[2] = {{1200, 30}, {-700, 12}};
        const std::vector<i16> expected = imaref::decode(data, frames, channels, start);
        Adpcm a(data, channels, table);
        // From a fresh state, then again after a decode further on.
        EXPECT_EQ(a.decode(0, frames, channels), expected) << channels << " channels, fresh";
        EXPECT_EQ(a.decode(0, frames, channels), expected) << channels << " channels, back to the start";
    }
}

TEST(AdpcmXDec, SeekStatesSpareTheDecodingBeforeThem) {
    const u32 frames = 200000;
    const std::vector<u8> data = noise(frames / 2, 5);
    imaref::Channel ref;
    std::vector<AdpcmSeekEntry> table = {{0, {}}};
    for (u32 f = 0; f < 190000; ++f) imaref::decodeNibble(ref, f % 2 == 0 ? data[f / 2] >> 4 : data[f / 2] & 15);
    table.push_back({190000, {{{i16(ref.predictor), u16(ref.index)}, {}}}});
    Adpcm a(data, 1, table);
    a.decode(190000, 100, 1);
    EXPECT_LE(a.host.bytesRead, AdpcmXDec::kInputBytes);
}

TEST(AdpcmXDec, AStepIndexOutsideTheTableInAStateIsClamped) {
    const std::vector<u8> data = noise(100, 9);
    Adpcm a(data, 1);
    // A state for frame 10 whose index lies past the table's end.
    u32 frame = 10;
    i16 predictor = 100;
    u16 index = 500;
    std::memcpy(a.state.data(), &frame, 4);
    std::memcpy(a.state.data() + 4, &predictor, 2);
    std::memcpy(a.state.data() + 6, &index, 2);
    const std::vector<i16> got = a.decode(10, 20, 1);
    imaref::Channel c{100, 88};
    std::vector<i16> expected;
    for (u32 f = 10; f < 30; ++f) expected.push_back(imaref::decodeNibble(c, f % 2 == 0 ? data[f / 2] >> 4 : data[f / 2] & 15));
    EXPECT_EQ(got, expected);
}

TEST(AdpcmXDec, FramesPastTheStoredBytesAreSilenceAndNothingBeyondIsRead) {
    const std::vector<u8> data = noise(11, 4);  // 22 mono frames
    Adpcm a(data, 1);
    const std::vector<i16> got = a.decode(20, 10, 1);
    const std::vector<i16> whole = imaref::decode(data, 22, 1);
    EXPECT_EQ(got[0], whole[20]);
    EXPECT_EQ(got[1], whole[21]);
    EXPECT_EQ(std::vector<i16>(got.begin() + 2, got.end()), std::vector<i16>(8, 0));
    EXPECT_LE(a.host.bytesRead, 11u * 2);
}

}  // namespace
