// Sound files made into archive waves and read back through the archive reader.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/ImaAdpcm.h"
#include "sound/import/ArchiveWaveData.h"
#include "sound/import/SoundImport.h"
#include "sound/import/SoundImportErrors.h"
#include "tests/sound/import/SoundFileBytes.h"

namespace {

using namespace soundfiles;

constexpr u16 kCompress = kImportCompress;

struct Decoded {
    ArchiveWaveInfo info;
    std::vector<i16> samples;
    std::vector<AdpcmSeekEntry> states;
};

Decoded decode(const std::vector<u8>& wave) {
    Decoded d;
    EXPECT_EQ(readArchiveWave(wave, &d.info), kErrNone);
    EXPECT_EQ(d.info.encoding, kWaveEncodingImaAdpcm);
    for (const WaveChunk& c : d.info.extraChunks)
        if (c.tag == kWaveAdpcmChunk) {
            EXPECT_TRUE(parseAdpcmSeekTable(c.data, d.info.channels, &d.states));
        }
    d.samples.resize(size_t(d.info.frames) * d.info.channels);
    ImaChannelState states[2];
    if (d.info.frames) imaDecode(wave.data() + d.info.sampleOffset, false, d.info.frames, d.info.channels, states, d.samples.data());
    return d;
}

double snrDb(const std::vector<i16>& reference, const std::vector<i16>& got) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        signal += double(reference[i]) * reference[i];
        noise += std::pow(double(reference[i]) - got[i], 2);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

// The samples as the importer sees them: 8-bit sources widened.
std::vector<i16> asImported(const std::vector<i16>& samples, u16 bits) {
    if (bits == 16) return samples;
    std::vector<i16> out;
    for (const i16 s : samples) {
        const double unit = double(i8(s >> 8)) / 127.0;
        out.push_back(unit >= 1.0 ? 32767 : i16(std::lround((unit + 1.0) * 32767.5 - 32768.0)));
    }
    return out;
}

struct RoundTrip {
    bool aiff;
    u32 rate;
    u16 bits;
    u16 channels;
};

TEST(SoundImport, RoundTripsKeepTheRateAndTheSignal) {
    const RoundTrip cases[] = {
        {false, 8000, 16, 1},  {false, 16000, 16, 2}, {false, 32000, 16, 1}, {false, 48000, 16, 2},
        {false, 32000, 8, 1},  {false, 48000, 8, 2},  {true, 8000, 16, 1},   {true, 16000, 8, 1},
        {true, 32000, 16, 2},  {true, 48000, 16, 1},  {true, 48000, 8, 2},   {false, 22050, 16, 1},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.aiff ? "AIFF " : "WAVE ") << c.rate << " Hz " << c.bits << "-bit x" << c.channels);
        const std::vector<i16> signal = sine(c.rate / 2, c.channels, 440, c.rate);
        const std::vector<u8> file = c.aiff ? makeAiff(signal, c.channels, c.rate, c.bits) : makeWave(signal, c.channels, c.rate, c.bits);
        std::vector<u8> wave;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(file, kCompress, &wave), kErrNone);
        const Decoded d = decode(wave);
        EXPECT_EQ(d.info.sampleRate, c.rate);
        EXPECT_EQ(d.info.channels, c.channels);
        EXPECT_EQ(d.info.bits, 16);
        EXPECT_EQ(d.info.frames, c.rate / 2);
        EXPECT_GT(snrDb(asImported(signal, c.bits), d.samples), 24.0);
        // No markers and no loop: one decoder state, at frame 0.
        EXPECT_EQ(d.info.loopCount, 0);
        ASSERT_EQ(d.states.size(), 1u);
        EXPECT_EQ(d.states[0], AdpcmSeekEntry{});
    }
}

TEST(SoundImport, MsAdpcmWavesAreDecodedAndReencoded) {
    for (const u16 channels : {1, 2}) {
        const std::vector<i16> signal = sine(11025, channels, 300, 22050);
        std::vector<u8> wave;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(makeMsAdpcmWave(signal, channels, 22050), kCompress, &wave), kErrNone);
        const Decoded d = decode(wave);
        EXPECT_EQ(d.info.frames, 11025u);
        EXPECT_EQ(d.info.channels, channels);
        EXPECT_GT(snrDb(signal, d.samples), 18.0);
    }
}

TEST(SoundImport, MsAdpcmBlockSizesAreChecked) {
    // Mono blocks need 7 header bytes and room for the frames they promise beyond the first two.
    struct Case { u16 blockAlign; u16 framesPerBlock; u16 expected; };
    const Case cases[] = {
        {7, 2, kImportErrBadFields},   {8, 4, kErrNone},  {8, 5, kImportErrBadFields},
        {256, 500, kErrNone},          {256, 501, kImportErrBadFields}, {256, 1, kImportErrBadFields},
    };
    const std::vector<i16> signal = sine(600, 1, 300, 22050);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.blockAlign << "/" << c.framesPerBlock);
        const u16 align = std::max<u16>(c.blockAlign, 8);
        const std::vector<u8> blocks = msAdpcmBlocks(signal, 1, align, u16((align - 7) * 2 + 2));
        const std::vector<u8> file = riff({{"fmt ", fmtMsAdpcm(1, 22050, c.blockAlign, c.framesPerBlock)}, {"data", blocks}});
        std::vector<u8> wave;
        EXPECT_EQ(ConvertSoundFileToArchiveWave(file, kCompress, &wave), c.expected);
    }
}

TEST(SoundImport, ChunkTagsInsideOtherDataAreNotChunks) {
    const std::vector<i16> signal = sine(2000, 1, 440, 22050);
    // A junk chunk that holds a whole fake "fmt " and "data", and samples that spell tags.
    std::vector<u8> fake;
    put(fake, "fmt ");
    le32(fake, 16);
    const std::vector<u8> wrongFmt = fmtPcm(2, 8000, 8);
    fake.insert(fake.end(), wrongFmt.begin(), wrongFmt.end());
    put(fake, "data");
    le32(fake, 4);
    std::vector<i16> tagged = signal;
    tagged[10] = i16(readLE16(reinterpret_cast<const u8*>("da")));
    tagged[11] = i16(readLE16(reinterpret_cast<const u8*>("ta")));
    std::vector<u8> wave;
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeWave(tagged, 1, 22050, 16, {{"JUNK", fake}}), kCompress, &wave), kErrNone);
    Decoded d = decode(wave);
    EXPECT_EQ(d.info.sampleRate, 22050);
    EXPECT_EQ(d.info.channels, 1);
    EXPECT_EQ(d.info.frames, 2000u);

    // In AIFF: an application chunk before COMM carrying "SSND" and "COMM" bytes.
    std::vector<u8> appl;
    put(appl, "COMM");
    const std::vector<u8> wrongComm = comm(2, 5, 8, 8000);
    appl.insert(appl.end(), wrongComm.begin(), wrongComm.end());
    put(appl, "SSND");
    const std::vector<u8> aiff = form({{"APPL", appl}, {"COMM", comm(1, 2000, 16, 22050)}, {"SSND", ssnd(tagged, 16)}});
    ASSERT_EQ(ConvertSoundFileToArchiveWave(aiff, kCompress, &wave), kErrNone);
    d = decode(wave);
    EXPECT_EQ(d.info.sampleRate, 22050);
    EXPECT_EQ(d.info.frames, 2000u);
}

TEST(SoundImport, TruncatedFilesAreRefusedAtEveryLength) {
    const std::vector<i16> signal = sine(64, 2, 440, 22050);
    const std::vector<std::vector<u8>> files = {makeWave(signal, 2, 22050, 16), makeAiff(signal, 2, 22050, 16),
                                                makeMsAdpcmWave(sine(300, 1, 440, 22050), 1, 22050, 64)};
    for (const std::vector<u8>& file : files) {
        for (size_t cut = 1; cut < file.size(); ++cut) {
            const std::vector<u8> part(file.begin(), file.begin() + cut);
            std::vector<u8> wave;
            EXPECT_NE(ConvertSoundFileToArchiveWave(part, kCompress, &wave), kErrNone) << "cut at " << cut;
        }
    }
}

TEST(SoundImport, SampleDataShorterThanTheHeaderIsRefused) {
    // AIFF: COMM promises frames; SSND holds exactly those frames, or one byte less.
    const std::vector<i16> signal = sine(100, 1, 440, 22050);
    std::vector<u8> data = ssnd(signal, 16);
    std::vector<u8> wave;
    EXPECT_EQ(ConvertSoundFileToArchiveWave(form({{"COMM", comm(1, 100, 16, 22050)}, {"SSND", data}}), kCompress, &wave), kErrNone);
    data.pop_back();
    EXPECT_EQ(ConvertSoundFileToArchiveWave(form({{"COMM", comm(1, 100, 16, 22050)}, {"SSND", data}}), kCompress, &wave),
              kImportErrShortData);
    // WAVE: a data chunk whose length runs past the end of the file.
    std::vector<u8> file = makeWave(signal, 1, 22050, 16);
    file.resize(file.size() - 1);
    EXPECT_EQ(ConvertSoundFileToArchiveWave(file, kCompress, &wave), kImportErrShortData);
}

TEST(SoundImport, TheCallersImageIsOnlyRead) {
    const std::vector<u8> file = makeWave(sine(5000, 1, 440, 22050), 1, 22050, 16);
    const std::vector<u8> copy = file;
    std::vector<u8> wave;
    ASSERT_EQ(ConvertSoundFileToArchiveWave(file, kCompress, &wave), kErrNone);
    EXPECT_EQ(file, copy);
    ArchiveWaveInfo info;
    ASSERT_EQ(readArchiveWave(wave, &info), kErrNone);
    EXPECT_EQ(info.sampleOffset + info.sampleBytes, wave.size());
    EXPECT_LT(wave.size(), file.size());
}

TEST(SoundImport, RefusalsNameTheCheckThatRefused) {
    const std::vector<i16> s = sine(100, 1, 440, 22050);
    const std::vector<u8> good = makeWave(s, 1, 22050, 16);
    std::vector<u8> notSound = good;
    notSound[0] = 'X';
    struct Case { const char* what; std::vector<u8> file; u16 flags; u16 expected; };
    const Case cases[] = {
        {"both loop flags", good, kCompress | kImportLoopWhole | kImportNoLoop, kImportErrLoopFlags},
        {"no compression asked", good, 0, kImportErrNoRoom},
        {"empty", {}, kCompress, kImportErrNoImage},
        {"not a sound file", notSound, kCompress, kImportErrNotSoundFile},
        {"no fmt", riff({{"data", pcmBytes(s, 16)}}), kCompress, kImportErrNoFmt},
        {"no data", riff({{"fmt ", fmtPcm(1, 22050, 16)}}), kCompress, kImportErrNoData},
        {"format 3", [&] { auto f = fmtPcm(1, 22050, 16); f[0] = 3; return riff({{"fmt ", f}, {"data", pcmBytes(s, 16)}}); }(),
         kCompress, kImportErrWaveFormat},
        {"24-bit", riff({{"fmt ", fmtPcm(1, 22050, 24)}, {"data", pcmBytes(s, 16)}}), kCompress, kImportErrBadFields},
        {"three channels", makeWave(sine(30, 3, 440, 22050), 3, 22050, 16), kCompress, kImportErrBadFields},
        {"no COMM", form({{"SSND", ssnd(s, 16)}}), kCompress, kImportErrNoComm},
        {"no SSND", form({{"COMM", comm(1, 100, 16, 22050)}}), kCompress, kImportErrNoSsnd},
    };
    for (const Case& c : cases) {
        std::vector<u8> wave;
        EXPECT_EQ(ConvertSoundFileToArchiveWave(c.file, c.flags, &wave), c.expected) << c.what;
    }
}

TEST(SoundImport, RatesAreKeptInsideTheLimitsAndRefusedOutside) {
    struct Case { u32 rate; u16 expected; };
    const Case cases[] = {{999, kImportErrBadFields}, {1000, kErrNone}, {8000, kErrNone}, {11025, kErrNone},
                          {32000, kErrNone}, {47999, kErrNone}, {65535, kErrNone}, {65536, kImportErrBadFields}};
    for (const Case& c : cases) {
        for (const bool aiff : {false, true}) {
            const std::vector<i16> s = sine(200, 1, 100, c.rate);
            std::vector<u8> wave;
            ASSERT_EQ(ConvertSoundFileToArchiveWave(aiff ? makeAiff(s, 1, c.rate, 16) : makeWave(s, 1, c.rate, 16), kCompress, &wave),
                      c.expected) << c.rate << (aiff ? " AIFF" : " WAVE");
            if (c.expected == kErrNone) {
                EXPECT_EQ(decode(wave).info.sampleRate, c.rate);
            }
        }
    }
}

TEST(SoundImport, TheSustainLoopBecomesTheWavesLoopAndOtherMarkersCues) {
    const std::vector<i16> s = sine(4000, 1, 440, 22050);
    std::vector<u8> wave;
    // Only the two loop markers: a loop and no cues.
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeAiff(s, 1, 22050, 16, {{1, 1001, "b"}, {2, 3001, "e"}}, 1, 2), kCompress, &wave), kErrNone);
    Decoded d = decode(wave);
    EXPECT_EQ(d.info.loopCount, 0xFFFF);
    EXPECT_EQ(d.info.loopStart, 1001u);
    EXPECT_EQ(d.info.loopEnd, 3001u);
    EXPECT_TRUE(d.info.cues.empty());
    // A third marker is a cue; the end past the sound is held to its end.
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeAiff(s, 1, 22050, 16, {{1, 10, "b"}, {3, 2500, "mid"}, {2, 9999, "e"}}, 1, 2), kCompress, &wave),
              kErrNone);
    d = decode(wave);
    EXPECT_EQ(d.info.loopEnd, 4000u);
    ASSERT_EQ(d.info.cues.size(), 1u);
    EXPECT_EQ(d.info.cues[0], (WaveCue{2500, "mid"}));
    // Every cue and the loop start have a decoder state that continues the decode exactly.
    std::vector<u32> frames;
    for (const AdpcmSeekEntry& e : d.states) frames.push_back(e.frame);
    EXPECT_EQ(frames, (std::vector<u32>{0, 10, 2500}));
    const AdpcmSeekEntry& at2500 = d.states[2];
    ImaChannelState st[2] = {at2500.channels[0], {}};
    std::vector<i16> tail(1500);
    imaDecode(wave.data() + d.info.sampleOffset + 1250, false, 1500, 1, st, tail.data());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), d.samples.begin() + 2500));
    // The flags override the file: no loop, or the whole sound.
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeAiff(s, 1, 22050, 16, {{1, 10, "b"}, {2, 20, "e"}}, 1, 2), kCompress | kImportNoLoop, &wave), kErrNone);
    EXPECT_EQ(decode(wave).info.loopCount, 0);
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeWave(s, 1, 22050, 16), kCompress | kImportLoopWhole, &wave), kErrNone);
    d = decode(wave);
    EXPECT_EQ(d.info.loopCount, 0xFFFF);
    EXPECT_EQ(d.info.loopStart, 0u);
    EXPECT_EQ(d.info.loopEnd, 4000u);
}

TEST(SoundImport, TheSustainLoopsPlayModeDecidesWhetherItLoops) {
    const std::vector<i16> s = sine(400, 1, 440, 22050);
    const std::vector<u8> mark = soundfiles::mark({{1, 100, "b"}, {2, 300, "e"}});
    struct Case {
        u16 playMode;
        u16 loopCount;
    } const cases[] = {{0, 0}, {1, 0xFFFF}, {2, 0xFFFF}};
    for (const Case& c : cases) {
        const std::vector<u8> aiff = soundfiles::form({{"COMM", soundfiles::comm(1, 400, 16, 22050)},
                                                       {"MARK", mark},
                                                       {"INST", soundfiles::inst(1, 2, c.playMode)},
                                                       {"SSND", soundfiles::ssnd(s, 16)}});
        std::vector<u8> wave;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(aiff, kCompress, &wave), kErrNone) << c.playMode;
        const Decoded d = decode(wave);
        EXPECT_EQ(d.info.loopCount, c.loopCount) << c.playMode;
        // Without the loop, its markers stay as cues.
        EXPECT_EQ(d.info.cues.size(), c.loopCount ? 0u : 2u) << c.playMode;
    }
}

TEST(SoundImport, MonoPacksTheEarlierSampleHigh) {
    const std::vector<i16> s = {2000, -2000, 0};
    std::vector<u8> wave;
    ASSERT_EQ(ConvertPcmToArchiveWave(pcmBytes(s, 16), 16, 1, 22050, kCompress, &wave), kErrNone);
    const Decoded d = decode(wave);
    ASSERT_EQ(d.info.sampleBytes, 2u);
    const u8* codes = wave.data() + d.info.sampleOffset;
    EXPECT_EQ(codes[0] >> 4, 7);         // +2000 from 0 at step 7: every magnitude bit
    EXPECT_EQ(codes[0] & 15, 8 | 7);     // then far below: negative, every bit
    EXPECT_EQ(codes[1] & 15, 0);         // the odd count's padding nibble
}

TEST(SoundImport, RecordedPcmBecomesAWave) {
    const std::vector<i16> s = sine(22050, 1, 1000, 22050);
    std::vector<u8> wave;
    ASSERT_EQ(ConvertPcmToArchiveWave(pcmBytes(s, 16), 16, 1, 22050, kCompress, &wave), kErrNone);
    const Decoded d = decode(wave);
    EXPECT_EQ(d.info.frames, 22050u);
    EXPECT_GT(snrDb(s, d.samples), 24.0);
    EXPECT_EQ(ConvertPcmToArchiveWave(pcmBytes(s, 16), 12, 1, 22050, kCompress, &wave), kImportErrBadFields);
}

TEST(SoundImport, TheEstimateCoversWhatIsWritten) {
    const std::vector<i16> s1 = sine(1001, 1, 440, 22050);
    const std::vector<i16> s2 = sine(777, 2, 440, 44100);
    const std::vector<std::vector<u8>> files = {
        makeWave(s1, 1, 22050, 16), makeWave(s2, 2, 44100, 8), makeMsAdpcmWave(s1, 1, 22050),
        makeAiff(s1, 1, 22050, 16, {{1, 5, "a longer marker name"}, {2, 900, ""}, {3, 1001, "end"}}, 1, 3),
        makeAiff(s2, 2, 44100, 8, {{7, 0, "x"}})};
    for (const std::vector<u8>& file : files) {
        u32 estimate = 0;
        ASSERT_EQ(EstimateConvertedSize(file, 1, &estimate), kErrNone);
        std::vector<u8> wave;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(file, kCompress, &wave), kErrNone);
        EXPECT_GE(estimate, wave.size());
        EXPECT_LT(estimate, wave.size() + 128);
        EXPECT_EQ(EstimateConvertedSize(file, 0, &estimate), kErrNone);
        EXPECT_EQ(estimate, 0u);
    }
}

TEST(SoundImport, ParseArchiveWaveDataFindsTheSamples) {
    std::vector<u8> wave;
    ASSERT_EQ(ConvertSoundFileToArchiveWave(makeWave(sine(300, 2, 440, 32000), 2, 32000, 16), kCompress, &wave), kErrNone);
    ArchiveWaveData data;
    ASSERT_EQ(ParseArchiveWaveData(wave, &data), kErrNone);
    EXPECT_EQ(data.frames, 300u);
    EXPECT_EQ(data.channels, 2);
    EXPECT_EQ(data.bits, 16);
    EXPECT_EQ(data.rate, 32000u);
    EXPECT_EQ(data.samples.size(), 300u);
    EXPECT_EQ(data.samples.data() + data.samples.size(), wave.data() + wave.size());
    EXPECT_EQ(ParseArchiveWaveData({}, &data), kArchiveWaveNoData);
    wave.resize(wave.size() - 1);
    EXPECT_EQ(ParseArchiveWaveData(wave, &data), kArchiveWaveNoData);
}

TEST(SoundImport, ExportGivesBackAnAiffThatImportsToTheSameWave) {
    for (const u16 channels : {1, 2}) {
        const std::vector<i16> s = sine(3001, channels, 440, 44100);
        std::vector<u8> wave;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(makeAiff(s, channels, 44100, 16, {{1, 100, "b"}, {2, 2000, "e"}}, 1, 2), kCompress, &wave),
                  kErrNone);
        const Decoded d = decode(wave);
        std::vector<u8> aiff;
        ASSERT_EQ(ExportArchiveWaveToAiff(wave, &aiff), kErrNone);
        // Small chunks give the same bytes as one big one.
        AdpcmDecodeState state;
        ASSERT_EQ(AdpcmDecodeStart(wave, 37, &state), kErrNone);
        std::vector<u8> pieced, chunk;
        while (AdpcmDecodeNext(&state, &chunk)) pieced.insert(pieced.end(), chunk.begin(), chunk.end());
        EXPECT_EQ(pieced, aiff);
        std::vector<u8> again;
        ASSERT_EQ(ConvertSoundFileToArchiveWave(aiff, kCompress, &again), kErrNone);
        const Decoded e = decode(again);
        EXPECT_EQ(e.info.sampleRate, 44100);
        EXPECT_EQ(e.info.loopStart, 100u);
        EXPECT_EQ(e.info.loopEnd, 2000u);
        EXPECT_GT(snrDb(d.samples, e.samples), 24.0);
    }
}

}  // namespace
