// Wave sounds end to end: resources written by our writer, played through the mixer onto
// the virtual output device, heard sample for sample.
#include <algorithm>
#include <functional>

#include "engine/audio/WaveSound.h"
#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/base/ByteOrder.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/engine/audio/format/ImaReference.h"

namespace {

using namespace audiotest;

// Distinct non-silent 16-bit samples, stored big-endian.
std::vector<i16> ramp(u32 frames, i16 base = 100) {
    std::vector<i16> out(frames);
    for (u32 i = 0; i < frames; ++i) out[i] = i16(base + i16((i * 7) % 20000));
    return out;
}

std::vector<u8> bigEndian(const std::vector<i16>& samples) {
    std::vector<u8> out(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) writeBE16(&out[2 * i], u16(samples[i]));
    return out;
}

std::vector<i16> heard16(const std::vector<u8>& bytes) {
    std::vector<i16> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    // The device plays silence until the sound begins.
    const auto first = std::find_if(out.begin(), out.end(), [](i16 s) { return s != 0; });
    return std::vector<i16>(first, out.end());
}

ArchiveWaveInfo mono16(u32 frames) {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.frames = frames;
    info.bits = 16;
    info.channels = 1;
    return info;
}

class WaveSounds : public AudioTest {
protected:
    AudioObject* newSound(const ArchiveWaveInfo& info, const std::vector<u8>& samples) {
        AudioObject* sound = audioNewFromHandle(handleWith(writeArchiveWave(info, samples)));
        EXPECT_NE(sound, nullptr) << audioGetLastError();
        return sound;
    }
    AudioObject* playing(const ArchiveWaveInfo& info, const std::vector<u8>& samples) {
        AudioObject* sound = newSound(info, samples);
        if (!sound) return nullptr;
        EXPECT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
        EXPECT_EQ(audioPlay(sound, &AudioTest::note, reinterpret_cast<uintptr_t>(&notes)), kErrNone);
        return sound;
    }
};

TEST_F(WaveSounds, SixteenBitBigEndianPcmIsHeardExactlyAsStored) {
    const std::vector<i16> samples = ramp(30000);
    AudioObject* sound = playing(mono16(30000), bigEndian(samples));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioGetDuration(sound), 30000u * 1000 / 22050);
    run(2000);
    std::vector<i16> heard = heard16(output());
    ASSERT_GE(heard.size(), samples.size());
    heard.resize(samples.size());
    EXPECT_EQ(heard, samples);
    EXPECT_EQ(codes(), (std::vector<u32>{kAudioNotifyStarted, kAudioNotifyFinished}));
    EXPECT_EQ(audioGetStatus(sound) & kAudioStatusPlaying, 0);
}

TEST_F(WaveSounds, EightBitPcmIsHeardExactlyAsStored) {
    stop();
    startWith(defaultSettings(8));
    ArchiveWaveInfo info = mono16(5000);
    info.bits = 8;
    std::vector<u8> samples(5000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = u8(0x81 + i % 100);
    ASSERT_NE(playing(info, samples), nullptr);
    run(600);
    std::vector<u8> heard = output();
    heard.erase(heard.begin(), std::find_if(heard.begin(), heard.end(), [](u8 b) { return b != 0x80; }));
    ASSERT_GE(heard.size(), samples.size());
    heard.resize(samples.size());
    EXPECT_EQ(heard, samples);
}

TEST_F(WaveSounds, ImaAdpcmIsHeardAsThePublishedAlgorithmDecodesIt) {
    std::vector<u8> data(6000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = u8((i * 37 + 11) ^ (i >> 3));
    ArchiveWaveInfo info = mono16(12000);
    info.encoding = kWaveEncodingImaAdpcm;
    info.extraChunks = {{kWaveAdpcmChunk, writeAdpcmSeekTable(std::vector<AdpcmSeekEntry>{{0, {}}}, 1)}};
    ASSERT_NE(playing(info, data), nullptr);
    run(1000);
    std::vector<i16> expected = imaref::decode(data, 12000, 1);
    expected.erase(expected.begin(), std::find_if(expected.begin(), expected.end(), [](i16 s) { return s != 0; }));
    std::vector<i16> heard = heard16(output());
    ASSERT_GE(heard.size(), expected.size());
    heard.resize(expected.size());
    EXPECT_EQ(heard, expected);
}

// A wave of three parts a|b|c whose loop section is b.
struct Looped {
    ArchiveWaveInfo info;
    std::vector<i16> a, b, c;
    std::vector<u8> samples() const {
        std::vector<i16> all = a;
        all.insert(all.end(), b.begin(), b.end());
        all.insert(all.end(), c.begin(), c.end());
        return bigEndian(all);
    }
};

Looped looped(u32 sectionFrames, u16 count) {
    Looped w;
    w.a = std::vector<i16>(500, 1000);
    w.b = std::vector<i16>(sectionFrames, 2000);
    w.c = std::vector<i16>(700, 3000);
    w.info = mono16(u32(w.a.size() + w.b.size() + w.c.size()));
    w.info.loopCount = count;
    w.info.loopStart = u32(w.a.size());
    w.info.loopEnd = u32(w.a.size() + w.b.size());
    return w;
}

size_t countOf(const std::vector<i16>& heard, i16 value) { return size_t(std::count(heard.begin(), heard.end(), value)); }

TEST_F(WaveSounds, ALoopCountOfThreePlaysTheSectionFourTimesWhetherItFitsOneBufferOrNot) {
    for (u32 section : {300u, 2000u, 5000u}) {
        notes.clear();
        const size_t before = output().size();
        const Looped w = looped(section, 3);
        AudioObject* sound = playing(w.info, w.samples());
        ASSERT_NE(sound, nullptr);
        EXPECT_TRUE(audioGetStatus(sound) & kAudioStatusLooping);
        run(3000);
        const std::vector<u8> all = output();
        const std::vector<i16> heard = heard16(std::vector<u8>(all.begin() + ptrdiff_t(before), all.end()));
        EXPECT_EQ(countOf(heard, 1000), 500u) << section;
        EXPECT_EQ(countOf(heard, 2000), 4u * section) << section;
        EXPECT_EQ(countOf(heard, 3000), 700u) << section;
        EXPECT_EQ(codes(), (std::vector<u32>{kAudioNotifyStarted, kAudioNotifyFinished})) << section;
        ASSERT_EQ(audioClose(sound), kErrNone);
        ASSERT_EQ(audioDispose(sound), kErrNone);
    }
}

TEST_F(WaveSounds, BreakLoopEndsAnEndlessLoopAfterItsPresentPass) {
    const Looped w = looped(300, kAudioLoopForever);
    AudioObject* sound = playing(w.info, w.samples());
    ASSERT_NE(sound, nullptr);
    run(500);
    ASSERT_TRUE(audioGetStatus(sound) & kAudioStatusPlaying);
    ASSERT_EQ(audioBreakLoop(sound), kErrNone);
    EXPECT_TRUE(audioGetStatus(sound) & kAudioStatusLoopBroken);
    run(1000);
    const std::vector<i16> heard = heard16(output());
    EXPECT_EQ(countOf(heard, 2000) % 300, 0u);
    EXPECT_GT(countOf(heard, 2000), 3u * 300);
    EXPECT_EQ(countOf(heard, 3000), 700u);
    EXPECT_EQ(codes().back(), kAudioNotifyFinished);
}

// The test device ("8, 512, 1024") is topped up whole buffers at a time until it holds at least
// the lead ahead of what it has played: what it holds can run up to a buffer past the lead.
constexpr u32 kDeviceHoldsAtMost = 1024 + 512;

// Passes of a loop at the intro length `intro` that a listener has begun by frame `frame`.
u32 passesBegunBy(u32 frame, u32 intro, u32 section, u32 passes) {
    if (frame <= intro) return 1;
    return std::min(passes, (frame - intro + section - 1) / section);
}

TEST_F(WaveSounds, BreakLoopHearsTheRestOfThePassUnderWayThenTheTailAndNothingMore) {
    // Sections that the mixer repeats (300, 2000) and sections decoded again for each pass
    // (5000, 20000, longer than a buffer), broken in the intro, early in a pass, late in one,
    // in later passes and in the last one; ten repeats, or endless; playing, or paused
    // (the pause leaves silence between what the device held and the rest).
    struct Case {
        u32 section;
        u32 breakAfterMs;
        u16 count = 10;
        bool paused = false;
    };
    constexpr u16 kEndless = kAudioLoopForever;
    const Case cases[] = {
        {300, 10},    {300, 100},    {300, 400, kEndless}, {2000, 10},           {2000, 250},   {2000, 600},
        {5000, 10},   {5000, 100},   {5000, 210},          {5000, 400},          {5000, 1300},  {5000, 2400},
        {20000, 10},  {20000, 300},  {20000, 880},         {20000, 1500},        {20000, 4000},
        {5000, 400, kEndless},       {20000, 1500, kEndless},
        {2000, 10, 10, true},        {5000, 400, 10, true},       {20000, 1500, kEndless, true},
    };
    for (const Case& c : cases) {
        notes.clear();
        const size_t before = output().size();
        Looped w;
        w.a = ramp(500, 100);
        w.b = ramp(c.section, 7000);
        w.c = ramp(700, 300);
        w.info = mono16(u32(w.a.size() + w.b.size() + w.c.size()));
        w.info.loopCount = c.count;
        w.info.loopStart = u32(w.a.size());
        w.info.loopEnd = u32(w.a.size() + w.b.size());
        AudioObject* sound = playing(w.info, w.samples());
        ASSERT_NE(sound, nullptr);
        run(c.breakAfterMs);
        std::vector<u8> all = output();
        const u32 captured = u32((all.size() - before) / 2);
        if (c.paused) {
            ASSERT_EQ(audioPause(sound), kErrNone);
            run(200);
        }
        ASSERT_EQ(audioBreakLoop(sound), kErrNone);
        if (c.paused) {
            run(100);
            ASSERT_EQ(audioResume(sound), kErrNone);
        }
        run(4000);
        all = output();
        std::vector<i16> heard = heard16(std::vector<u8>(all.begin() + ptrdiff_t(before), all.end()));
        // The sound began after the silence the device played first.
        const u32 silence = u32((all.size() - before) / 2 - heard.size());
        const u32 played = captured > silence ? captured - silence : 0;
        if (c.paused)
            heard.erase(std::remove(heard.begin(), heard.end(), 0), heard.end());
        else
            while (!heard.empty() && heard.back() == 0) heard.pop_back();

        // Whole passes only: those begun, and at most the ones the device already held.
        const u32 held = captured + kDeviceHoldsAtMost > silence ? captured + kDeviceHoldsAtMost - silence : 0;
        const u32 allPasses = c.count == kEndless ? 0xFFFFFFFF : c.count + 1u;
        const u32 fewest = passesBegunBy(played, u32(w.a.size()), c.section, allPasses);
        const u32 most = passesBegunBy(held, u32(w.a.size()), c.section, allPasses);
        const size_t ends = w.a.size() + w.c.size();
        ASSERT_GE(heard.size(), ends) << c.section << " " << c.breakAfterMs;
        const size_t passes = (heard.size() - ends) / c.section;
        EXPECT_GE(passes, fewest) << c.section << " " << c.breakAfterMs;
        EXPECT_LE(passes, most) << c.section << " " << c.breakAfterMs;
        std::vector<i16> expected = w.a;
        for (size_t i = 0; i < passes; ++i) expected.insert(expected.end(), w.b.begin(), w.b.end());
        expected.insert(expected.end(), w.c.begin(), w.c.end());
        EXPECT_EQ(heard, expected) << c.section << " " << c.breakAfterMs << ": " << heard.size() << " frames heard";
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.back().code, kAudioNotifyFinished) << c.section << " " << c.breakAfterMs;
        ASSERT_EQ(audioClose(sound), kErrNone);
        ASSERT_EQ(audioDispose(sound), kErrNone);
    }
}

TEST_F(WaveSounds, ThePositionStaysInsideAnEndlessLoopOnceItIsReached) {
    const Looped w = looped(2205, kAudioLoopForever);  // a tenth of a second
    AudioObject* sound = playing(w.info, w.samples());
    ASSERT_NE(sound, nullptr);
    const u32 loopStartMs = 500 * 1000 / 22050, loopEndMs = (500 + 2205) * 1000 / 22050;
    for (int i = 0; i < 40; ++i) {
        run(50);
        EXPECT_LE(sound->GetPosition(), loopEndMs) << i;
    }
    EXPECT_GE(sound->GetPosition(), loopStartMs);
    // Stopped, it keeps the position it had reached.
    ASSERT_EQ(audioStop(sound), kErrNone);
    EXPECT_GE(sound->GetPosition(), loopStartMs);
    EXPECT_LE(sound->GetPosition(), loopEndMs);
}

TEST_F(WaveSounds, ALoopWhoseEndIsItsStartPlaysAsNoLoop) {
    Looped w = looped(0, 3);
    AudioObject* sound = playing(w.info, w.samples());
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(audioGetStatus(sound) & kAudioStatusLooping);
    run(500);
    const std::vector<i16> heard = heard16(output());
    EXPECT_EQ(countOf(heard, 1000), 500u);
    EXPECT_EQ(countOf(heard, 3000), 700u);
    EXPECT_EQ(codes().back(), kAudioNotifyFinished);
}

TEST_F(WaveSounds, CuesAreNotifiedInOrderAsPlayReachesThem) {
    ArchiveWaveInfo info = mono16(22050);
    info.cues = {{0, "start"}, {2205, "tenth"}, {11025, "half"}};
    AudioObject* sound = playing(info, bigEndian(ramp(22050)));
    ASSERT_NE(sound, nullptr);
    run(1500);
    std::vector<std::pair<u32, std::string>> seen;
    for (const Note& n : notes) seen.emplace_back(n.code, n.name);
    const std::vector<std::pair<u32, std::string>> expected = {
        {kAudioNotifyMarker, "start"}, {kAudioNotifyStarted, ""}, {kAudioNotifyMarker, "tenth"},
        {kAudioNotifyMarker, "half"}, {kAudioNotifyFinished, ""}};
    EXPECT_EQ(seen, expected);
    // The half-way cue comes about half a second after the tenth.
    const u32 gap = notes[3].at - notes[2].at;
    EXPECT_GE(gap, 300u);
    EXPECT_LE(gap, 500u);
}

TEST_F(WaveSounds, SeekMarkerAndSetPositionMoveWhereItStarts) {
    ArchiveWaveInfo info = mono16(22050);
    info.cues = {{11025, "half"}};
    AudioObject* sound = newSound(info, bigEndian(ramp(22050)));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioSeekMarker(sound, "ha", 2), kErrNone);
    EXPECT_EQ(sound->GetPosition(), 500u);
    EXPECT_EQ(audioSeekMarker(sound, "halves", kAudioNameEndsWithNul), kAudioErrNoMarker);
    // The end itself, then one past it.
    EXPECT_EQ(audioSetPosition(sound, 1000), kErrNone);
    EXPECT_EQ(audioSetPosition(sound, 1001), kAudioErrAtEnd);
    EXPECT_EQ(sound->GetPosition(), 1000u);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    EXPECT_EQ(audioPlay(sound, nullptr, 0), kAudioErrAtEnd);
}

// Closing a sound from its own "finished" notification, which its feeding thread delivers,
// is the usual way to let a sound go once it has played.
struct CloseWhenFinished {
    EngineErr closed = 0xFFFF;
    int finished = 0;
    static void callback(AudioObject* object, const AudioNotification* n, uintptr_t datum) {
        auto* self = reinterpret_cast<CloseWhenFinished*>(datum);
        if (n->code != kAudioNotifyFinished) return;
        ++self->finished;
        self->closed = audioClose(object);
    }
};

TEST_F(WaveSounds, ASoundClosedFromItsFinishedNotificationCanBeDisposedOf) {
    AudioObject* sound = newSound(mono16(2205), bigEndian(ramp(2205)));
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    CloseWhenFinished close;
    ASSERT_EQ(audioPlay(sound, &CloseWhenFinished::callback, reinterpret_cast<uintptr_t>(&close)), kErrNone);
    run(1000);
    EXPECT_EQ(close.finished, 1);
    EXPECT_EQ(close.closed, kErrNone);
    EXPECT_EQ(audioGetStatus(sound) & kAudioStatusOpen, 0);
    run(100);
    EXPECT_EQ(audioDispose(sound), kErrNone);
}

void stopAtMarker(AudioObject* object, const AudioNotification* n, uintptr_t datum) {
    if (n->code != kAudioNotifyMarker) return;
    ++*reinterpret_cast<int*>(datum);
    audioStop(object);
}

TEST_F(WaveSounds, ASoundStoppedFromACueIsHeardNoFurther) {
    // Five seconds: more than is queued at once, so buffers are still being written when
    // the cue a tenth of a second in is reached.
    ArchiveWaveInfo info = mono16(5 * 22050);
    info.cues = {{2205, "stop"}};
    AudioObject* sound = newSound(info, bigEndian(ramp(5 * 22050)));
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    int stops = 0;
    ASSERT_EQ(audioPlay(sound, &stopAtMarker, reinterpret_cast<uintptr_t>(&stops)), kErrNone);
    run(6000);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(audioGetStatus(sound) & kAudioStatusPlaying, 0);
    const std::vector<i16> heard = heard16(output());
    const size_t sounding = size_t(std::count_if(heard.begin(), heard.end(), [](i16 s) { return s != 0; }));
    EXPECT_GE(sounding, 2205u);
    EXPECT_LT(sounding, 2u * 2205);
}

TEST_F(WaveSounds, DamagedOrUnplayableResourcesMakeNoSound) {
    const std::vector<u8> good = writeArchiveWave(mono16(10), bigEndian(ramp(10)));
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> change;
        EngineErr expected;
    };
    const Case cases[] = {
        {"form", [](std::vector<u8>& b) { b[8] = 'X'; }, kAudioErrNotSound},
        {"length field below 4", [](std::vector<u8>& b) { writeBE32(&b[4], 3); }, kAudioErrNotSound},
        {"Data past the end", [](std::vector<u8>& b) { writeBE32(&b[16], 0x10000); }, kAudioErrNotSound},
        {"rate 0", [](std::vector<u8>& b) { writeBE16(&b[20], 0); }, kAudioErrUnsupported},
        {"3 channels", [](std::vector<u8>& b) { b[27] = 3; }, kAudioErrUnsupported},
        {"no decompressor", [](std::vector<u8>& b) { writeBE16(&b[28], 7); }, kAudioErrUnsupported},
        {"stereo 8-bit ADPCM", [](std::vector<u8>& b) { b[26] = 8; b[27] = 2; writeBE16(&b[28], 1); }, kAudioErrUnsupported},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes = good;
        c.change(bytes);
        EXPECT_EQ(audioNewFromHandle(handleWith(bytes)), nullptr) << c.what;
        EXPECT_EQ(audioGetLastError(), c.expected) << c.what;
    }
}

}  // namespace
