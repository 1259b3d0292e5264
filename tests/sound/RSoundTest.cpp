// Sounds on the virtual audio device: the play, pause and stop states, what happens to a
// sound unloaded or destroyed while it plays, pan, volume and fades.
#include "sound/RSound.h"

#include "engine/audio/PcmMix.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/base/ByteOrder.h"
#include "sound/SoundGain.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

using namespace Ostrel;
using audiotest::AudioTest;

std::vector<u8> waveImage(u32 frames) {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.frames = frames;
    std::vector<u8> samples(frames * 2);
    for (u32 i = 0; i < frames; ++i) writeBE16(&samples[2 * i], u16(3000 + (i % 100) * 10));
    return writeArchiveWave(info, samples);
}

class SoundTest : public AudioTest {
protected:
    void TearDown() override {
        soundSetScreenVolume(0);
        AudioTest::TearDown();
    }
    // A sound that owns a wave of `ms` milliseconds.
    void load(RSound& sound, u32 ms) { ASSERT_EQ(sound.LoadFromHandle(handleWith(waveImage(22050 * ms / 1000)), 1), kErrNone); }
    PcmMixHandle mixer(const RSound& sound) { return reinterpret_cast<PcmMixHandle>(audioGetDeviceHandle(sound.GetAudioObject())); }
    size_t heard() const { return output().size(); }
    bool audible() const {
        const std::vector<u8> out = output();
        return std::any_of(out.end() - std::min<size_t>(out.size(), 200), out.end(), [](u8 b) { return b != 0; });
    }
};

TEST_F(SoundTest, PlayPauseResumeStopAndTheEnd) {
    RSound sound;
    EXPECT_TRUE(sound.IsFinished());
    load(sound, 300);
    EXPECT_TRUE(sound.IsLoaded());
    EXPECT_EQ(audioGetStatus(sound.GetAudioObject()), kAudioStatusOpen);
    ASSERT_EQ(sound.Play(), kErrNone);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_FALSE(sound.IsFinished());
    run(50);
    // Playing again does not restart it.
    ASSERT_EQ(sound.Play(), kErrNone);
    EXPECT_EQ(audioGetStatus(sound.GetAudioObject()), kAudioStatusOpen | kAudioStatusPlaying);
    sound.Pause();
    EXPECT_TRUE(sound.IsPaused());
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(audioGetStatus(sound.GetAudioObject()), kAudioStatusOpen | kAudioStatusPaused);
    // Play on a paused sound resumes it.
    ASSERT_EQ(sound.Play(), kErrNone);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_FALSE(sound.IsPaused());
    run(600);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_TRUE(sound.IsFinished());
    // A finished sound rewinds and plays again.
    ASSERT_EQ(sound.Play(), kErrNone);
    EXPECT_TRUE(sound.IsPlaying());
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(audioGetStatus(sound.GetAudioObject()), kAudioStatusOpen);
}

TEST_F(SoundTest, OperationsOnAnEmptySoundKeepValuesAndDoNothing) {
    RSound sound;
    sound.Stop();
    sound.Pause();
    sound.Resume();
    sound.SetVolume(0x8000);
    sound.SetRate(0x20000);
    sound.SetPan(-300);
    EXPECT_EQ(sound.GetVolume(), 0x8000);
    EXPECT_EQ(sound.GetRate(), 0x20000);
    EXPECT_EQ(sound.GetPan(), -256);
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_EQ(sound.Play(), kSoundErrNothing);
    EXPECT_TRUE(sound.IsFinished());
    EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(SoundTest, ValuesSetBeforeLoadingAreAppliedWhenItOpens) {
    RSound sound;
    sound.SetVolume(0x8000);
    sound.SetRate(0x18000);
    sound.SetPan(kSoundPanRight);
    load(sound, 100);
    u32 volume = 0, rate = 0, balance = 0;
    ASSERT_EQ(pcmMixGetVolume(mixer(sound), &volume), 0);
    ASSERT_EQ(pcmMixGetPlaybackRate(mixer(sound), &rate), 0);
    ASSERT_EQ(pcmMixGetBalance(mixer(sound), &balance), 0);
    EXPECT_EQ(volume, 0x8000u);
    EXPECT_EQ(rate, 0x18000u);
    EXPECT_EQ(balance, 0xFFFF0000u);
}

TEST_F(SoundTest, PanMakesTheBalance) {
    struct Case { i16 pan; u16 left; u16 right; };
    const Case cases[] = {{-300, 65535, 0}, {-257, 65535, 0}, {-256, 65535, 0}, {-255, 65408, 127}, {0, 32768, 32767},
                          {255, 128, 65407}, {256, 0, 65535}, {257, 0, 65535}, {300, 0, 65535}};
    RSound sound;
    load(sound, 100);
    for (const Case& c : cases) {
        EXPECT_EQ(soundBalanceForPan(c.pan), c.left | (u32(c.right) << 16)) << c.pan;
        sound.SetPan(c.pan);
        u32 balance = 0;
        ASSERT_EQ(pcmMixGetBalance(mixer(sound), &balance), 0);
        EXPECT_EQ(balance, c.left | (u32(c.right) << 16)) << c.pan;
    }
}

TEST_F(SoundTest, TheScreenVolumeIsTakenAtOpenOnlyWithinItsLevels) {
    struct Case { u16 level; Fixed volume; };
    const Case cases[] = {{0, kFixedOne}, {1, 0x100}, {2, 0x2000}, {16, 0x10000}, {32, 0x20000}, {33, kFixedOne}};
    for (const Case& c : cases) {
        soundSetScreenVolume(c.level);
        RSound sound;
        load(sound, 50);
        EXPECT_EQ(sound.GetAudioObject()->volume, c.volume) << c.level;
    }
    // The sound's own volume, asked before it opened, wins over the screen's.
    soundSetScreenVolume(16);
    RSound own;
    own.SetVolume(0x4000);
    load(own, 50);
    EXPECT_EQ(own.GetAudioObject()->volume, 0x4000);
}

TEST_F(SoundTest, FadesWalkTheGainTableOneLevelPerStep) {
    RSound sound;
    load(sound, 100);
    sound.SetFade(kSoundFadeIn);
    EXPECT_EQ(sound.GetFadeGain(), 0);
    for (int step = 1; step <= 16; ++step) {
        EXPECT_EQ(sound.FadeStep(), 1) << step;
        EXPECT_EQ(sound.GetFadeGain(), soundGainForLevel(u16(step)));
        EXPECT_EQ(sound.GetAudioObject()->volume, sound.GetFadeGain());
    }
    EXPECT_EQ(sound.FadeStep(), 0);
    EXPECT_EQ(sound.GetFadeGain(), 0x11000);
    EXPECT_EQ(sound.FadeStep(), 0);
    EXPECT_EQ(sound.GetFadeLevel(), 17);
    sound.SetFade(kSoundFadeOut);
    for (int step = 16; step >= 1; --step) EXPECT_EQ(sound.FadeStep(), 1) << step;
    EXPECT_EQ(sound.FadeStep(), 0);
    EXPECT_EQ(sound.GetFadeGain(), 0);
    EXPECT_EQ(sound.GetAudioObject()->volume, 0);
}

TEST_F(SoundTest, TheGainTable) {
    struct Case { u16 level; Fixed gain; };
    const Case cases[] = {{0, 0}, {1, 0x100}, {2, 0x2000}, {16, 0x10000}, {17, 0x11000}, {32, 0x20000}, {33, 0x20000}};
    for (const Case& c : cases) EXPECT_EQ(soundGainForLevel(c.level), c.gain) << c.level;
}

TEST_F(SoundTest, UnloadingAPlayingSoundStopsItAndFreesItsData) {
    RSound sound;
    const memHandle data = handleWith(waveImage(22050));
    ASSERT_EQ(sound.LoadFromHandle(data, 1), kErrNone);
    ASSERT_EQ(sound.Play(), kErrNone);
    run(50);
    sound.Unload();
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetAudioObject(), nullptr);
    EXPECT_EQ(memGetLockCount(data), 0xFFFF) << "the data handle is freed";
    const size_t before = heard();
    run(200);
    EXPECT_GE(heard(), before);
    EXPECT_FALSE(audible());
}

TEST_F(SoundTest, DestroyingAPlayingOrPausedSoundLeavesNothingBehind) {
    for (const bool pause : {false, true}) {
        auto sound = std::make_unique<RSound>();
        load(*sound, 1000);
        ASSERT_EQ(sound->Play(), kErrNone);
        run(50);
        if (pause) sound->Pause();
        sound.reset();
        // The mixer goes on without it: no call back into the freed sound, no read of freed data.
        run(300);
        EXPECT_FALSE(audible());
    }
}

TEST_F(SoundTest, AFailedPlayIsReportedAndTheSoundIsNotLeftPlaying) {
    RSound sound;
    ASSERT_EQ(sound.LoadFromHandle(handleWith(waveImage(0)), 1), kErrNone);
    EXPECT_EQ(sound.Play(), kAudioErrAtEnd);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_TRUE(sound.IsFinished());
}

TEST_F(SoundTest, NotASoundIsRefusedAndLeavesNoObject) {
    RSound sound;
    const std::vector<u8> junk(64, 7);
    EXPECT_NE(sound.LoadFromHandle(handleWith(junk), 1), kErrNone);
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_EQ(sound.GetAudioObject(), nullptr);
}

class SoundResources : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        testres::MemoryArchiveFile writer(file, "sounds");
        ASSERT_EQ(resCreateArchive(writer), kErrNone);
        const ResMapHandle map = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file, "sounds"), 0, 0);
        ASSERT_NE(map, 0);
        const std::vector<u8> wave = waveImage(4410);
        const ResourceRef ref = resAddResource(kSoundResourceType, 7, nullptr);
        ASSERT_EQ(resWriteResource(ref, wave.data(), u32(wave.size()), 0), kErrNone);
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
        map_ = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file, "sounds"), 1, 0);
        ASSERT_NE(map_, 0);
    }
    std::shared_ptr<testres::FileImage> file = std::make_shared<testres::FileImage>();
    ResMapHandle map_ = 0;
};

TEST_F(SoundResources, ResourcesLoadWholeOrStreamed) {
    for (const u32 preload : {0u, 100u}) {
        RSound sound(7, preload, 0);
        EXPECT_TRUE(sound.IsLoaded()) << preload;
        EXPECT_EQ(sound.GetResourceId(), 7);
        ASSERT_EQ(sound.Play(), kErrNone);
        run(300);
        EXPECT_TRUE(sound.IsFinished());
    }
}

TEST_F(SoundResources, AnIdNoArchiveHoldsLeavesTheSoundEmpty) {
    RSound sound(7, 0, 0);
    ASSERT_TRUE(sound.IsLoaded());
    EXPECT_EQ(sound.LoadResource(8, 0, 0), kSoundErrNothing);
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_EQ(sound.GetAudioObject(), nullptr);
    EXPECT_EQ(sound.Play(), kSoundErrNothing);
}

}  // namespace
