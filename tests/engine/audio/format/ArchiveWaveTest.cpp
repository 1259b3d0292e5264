#include "engine/audio/format/ArchiveWave.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "engine/audio/format/AudioErrors.h"

namespace {

ArchiveWaveInfo looped() {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.frames = 6;
    info.bits = 16;
    info.channels = 1;
    info.loopCount = 3;
    info.loopStart = 2;
    info.loopEnd = 4;
    info.cues = {{0, "start"}, {3, "mid"}};
    info.extraChunks = {{fourCC("Xtra"), {1, 2, 3}}};
    return info;
}

const std::vector<u8> kSamples = {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6};

TEST(ArchiveWave, WrittenImageReadsBackWithItsSamplesWhereTheReaderSaysTheyAre) {
    const std::vector<u8> image = writeArchiveWave(looped(), kSamples);
    ArchiveWaveInfo read;
    ASSERT_EQ(readArchiveWave(image, &read), kErrNone);
    EXPECT_EQ(read.sampleRate, 22050);
    EXPECT_EQ(read.frames, 6u);
    EXPECT_EQ(read.loopCount, 3);
    EXPECT_EQ(read.loopStart, 2u);
    EXPECT_EQ(read.loopEnd, 4u);
    EXPECT_EQ(read.cues, looped().cues);
    EXPECT_EQ(read.extraChunks, looped().extraChunks);
    ASSERT_EQ(read.sampleBytes, kSamples.size());
    EXPECT_EQ(std::vector<u8>(image.begin() + read.sampleOffset, image.end()), kSamples);
    EXPECT_EQ(readBE32(image.data() + 4), image.size() - 8);
}

TEST(ArchiveWave, DataChunkLengthCountsTheTwentyFieldBytesAndTheSamples) {
    const std::vector<u8> image = writeArchiveWave(ArchiveWaveInfo{}, kSamples);
    // Header, then "Data" straight away: its length field sits at 16.
    EXPECT_EQ(readBE32(image.data() + 12), kWaveDataChunk);
    EXPECT_EQ(readBE32(image.data() + 16), 20u + kSamples.size());
}

TEST(ArchiveWave, LoopFieldsAreIgnoredWithoutALoopCount) {
    ArchiveWaveInfo info = looped();
    std::vector<u8> image = writeArchiveWave(info, kSamples);
    ArchiveWaveInfo read;
    ASSERT_EQ(readArchiveWave(image, &read), kErrNone);
    const size_t fields = read.sampleOffset - kWaveDataFieldBytes;
    writeBE16(&image[fields + 10], 0);  // loop count 0 with start and end still stored
    ASSERT_EQ(readArchiveWave(image, &read), kErrNone);
    EXPECT_EQ(read.loopStart, 0u);
    EXPECT_EQ(read.loopEnd, 0u);
}

TEST(ArchiveWave, TextChunksAreSkippedAndACueCountOfZeroMeansNoCues) {
    ArchiveWaveInfo info;
    info.extraChunks = {{kWaveTextChunk, {'h', 'i'}}, {kWaveCueChunk, {0, 0}}};
    ArchiveWaveInfo read;
    ASSERT_EQ(readArchiveWave(writeArchiveWave(info, kSamples), &read), kErrNone);
    EXPECT_TRUE(read.cues.empty());
    EXPECT_TRUE(read.extraChunks.empty());
}

std::vector<u8> cueEntry(u32 frame, const std::string& name) {
    std::vector<u8> out(5);
    writeBE32(out.data(), frame);
    out[4] = u8(name.size());
    out.insert(out.end(), name.begin(), name.end());
    if (name.size() % 2 == 0) out.push_back(0);
    return out;
}

TEST(WaveCues, BothTheCountedAndTheUncountedFormAreRead) {
    std::vector<u8> entries = cueEntry(0x00020000, "ab");
    const std::vector<u8> second = cueEntry(7, "xyz");
    entries.insert(entries.end(), second.begin(), second.end());
    std::vector<u8> counted = {0, 2};
    counted.insert(counted.end(), entries.begin(), entries.end());
    const std::vector<WaveCue> expected = {{0x00020000, "ab"}, {7, "xyz"}};

    std::vector<WaveCue> cues;
    ASSERT_TRUE(parseWaveCues(counted, &cues));
    EXPECT_EQ(cues, expected);
    cues.clear();
    // Uncounted: the first frame's high half (2) would be a wrong count of the counted form.
    ASSERT_TRUE(parseWaveCues(entries, &cues));
    EXPECT_EQ(cues, expected);
}

TEST(WaveCues, EntriesThatDoNotFillTheChunkExactlyAreRefused) {
    struct Case {
        const char* what;
        std::vector<u8> data;
    };
    std::vector<u8> cut = {0, 1};
    const std::vector<u8> entry = cueEntry(1, "name");
    cut.insert(cut.end(), entry.begin(), entry.end() - 1);
    std::vector<u8> longName = {0, 1, 0, 0, 0, 1, 200, 'a'};
    const Case cases[] = {{"entry cut short", cut}, {"name past the end", longName}, {"one byte", {7}}};
    for (const Case& c : cases) {
        std::vector<WaveCue> cues;
        EXPECT_FALSE(parseWaveCues(c.data, &cues)) << c.what;
    }
}

TEST(ArchiveWave, DamagedImagesAreRefusedAsNotASound) {
    const std::vector<u8> good = writeArchiveWave(looped(), kSamples);
    ArchiveWaveInfo read;
    ASSERT_EQ(readArchiveWave(good, &read), kErrNone);
    const size_t dataLengthAt = read.sampleOffset - kWaveDataFieldBytes - 4;
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> damage;
    };
    const Case cases[] = {
        {"magic", [](std::vector<u8>& b) { b[0] = 'X'; }},
        {"form", [](std::vector<u8>& b) { b[8] = 'X'; }},
        {"shorter than a header", [](std::vector<u8>& b) { b.resize(11); }},
        {"no Data chunk", [&](std::vector<u8>& b) { b.resize(dataLengthAt - 4); }},
        {"Data one byte past the end", [&](std::vector<u8>& b) { writeBE32(&b[dataLengthAt], u32(b.size() - dataLengthAt - 4 + 1)); }},
        {"Data shorter than its fields", [&](std::vector<u8>& b) { writeBE32(&b[dataLengthAt], 19); }},
        {"cue chunk past the end", [](std::vector<u8>& b) { writeBE32(&b[16], 0xFFFFFFF0); }},
        {"cue chunk damaged", [](std::vector<u8>& b) { b[20] = 9; }},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes = good;
        c.damage(bytes);
        EXPECT_EQ(readArchiveWave(bytes, &read), kAudioErrNotSound) << c.what;
    }
    // The limit itself: Data reaching exactly to the end is whole.
    std::vector<u8> exact = good;
    writeBE32(&exact[dataLengthAt], u32(exact.size() - dataLengthAt - 4));
    EXPECT_EQ(readArchiveWave(exact, &read), kErrNone);
}

TEST(ArchiveWave, ReadErrorsPassThrough) {
    const auto failing = [](u32, u8*, u32) -> EngineErr { return 10312; };
    ArchiveWaveInfo read;
    EXPECT_EQ(readArchiveWave(failing, 100, &read), 10312);
}

TEST(ArchiveWave, DurationIsComputedInSixtyFourBits) {
    struct Case {
        u32 frames, rate, ms;
    };
    const Case cases[] = {{22050, 22050, 1000}, {0xFFFFFFFF, 44100, 97391548}, {8012, 8012, 1000}, {5, 0, 0},
                          {11025, 22050, 500}};
    for (const Case& c : cases) EXPECT_EQ(waveDurationMs(c.frames, c.rate), c.ms) << c.frames << "@" << c.rate;
}

}  // namespace
