// The sprite layer's sound channels on the virtual audio device: bookings started by the
// service, owners cutting off their earlier sounds, streaming by size, and what stopping an
// owner's sounds leaves behind.
#include "sound/sprites/SprSoundChannels.h"

#include "engine/audio/format/ArchiveWave.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

constexpr FourCC kWave = fourCC("tWAV");

// An 8-bit mono wave whose whole image is `bytes` long.
std::vector<u8> waveOfSize(u32 bytes) {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.bits = 8;
    const u32 overhead = u32(writeArchiveWave(info, {}).size());
    info.frames = bytes - overhead;
    return writeArchiveWave(info, std::vector<u8>(info.frames, 0x90));
}

class SpriteSounds : public audiotest::AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        testres::MemoryArchiveFile writer(file, "sprites");
        ASSERT_EQ(resCreateArchive(writer), kErrNone);
        const ResMapHandle map = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file, "sprites"), 0, 0);
        ASSERT_NE(map, 0);
        const std::pair<u16, u32> sounds[] = {{11, 2205 + 40}, {12, 4410}, {13, kSprStreamBytes}, {14, kSprStreamBytes - 1}};
        for (const auto& [id, bytes] : sounds) {
            const std::vector<u8> wave = waveOfSize(bytes);
            const ResourceRef ref = resAddResource(kWave, id, nullptr);
            ASSERT_EQ(resWriteResource(ref, wave.data(), u32(wave.size()), 0), kErrNone);
        }
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
        ASSERT_NE(resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file, "sprites"), 1, 0), 0);
        screen.soundEnabled = 1;
        sprSetScreen(&screen);
        sprInstallSoundChannels();
    }
    void TearDown() override {
        sprStopAllSounds();
        sprSetSoundHooks(SprSoundHooks{});
        sprSetScreen(nullptr);
        AudioTest::TearDown();
    }
    u16 state(u16 soundId) { return sprChannelState(sprFindChannel(soundId)); }

    std::shared_ptr<testres::FileImage> file = std::make_shared<testres::FileImage>();
    SprScreen screen{};
};

TEST_F(SpriteSounds, ABookingStartsAtTheServiceAndReportsItsEndThere) {
    u16 done = 0xAAAA;
    ASSERT_EQ(sprPlaySound(11, 5, 0, &done), 0);
    EXPECT_EQ(state(11), kSprChannelRequested);
    sprServiceSounds();  // the sprite layer's service, through the installed hooks
    EXPECT_EQ(state(11), kSprChannelPlaying);
    EXPECT_EQ(done, 0);
    run(300);
    EXPECT_EQ(done, 0) << "the audio side only marks the channel";
    sprServiceSounds();
    EXPECT_EQ(done, 11);
    EXPECT_EQ(sprFindChannel(11), kSprNoChannel) << "a finished channel is freed";
}

TEST_F(SpriteSounds, AnOwnersLaterSoundCutsOffTheEarlierExceptForTagTwo) {
    for (const u16 tag : {5, 2}) {
        u16 first = 0xAAAA, second = 0xAAAA;
        ASSERT_EQ(sprPlaySound(12, tag, 0, &first), 0);
        sprServiceSoundChannels();
        ASSERT_EQ(state(12), kSprChannelPlaying);
        ASSERT_EQ(sprPlaySound(11, tag, 0, &second), 0);
        sprServiceSoundChannels();
        EXPECT_EQ(state(11), kSprChannelPlaying) << tag;
        if (tag == 2) {
            EXPECT_EQ(state(12), kSprChannelPlaying);
            EXPECT_EQ(first, 0);
        } else {
            EXPECT_EQ(sprFindChannel(12), kSprNoChannel);
            EXPECT_EQ(first, kSprSoundCancelled);
        }
        sprStopAllSounds();
    }
}

TEST_F(SpriteSounds, SoundsBookedInOneStepStartTogether) {
    u16 a = 0xAAAA, b = 0xAAAA;
    ASSERT_EQ(sprPlaySound(11, 5, 0, &a), 0);
    ASSERT_EQ(sprPlaySound(12, 5, 0, &b), 0);
    sprServiceSoundChannels();
    EXPECT_EQ(state(11), kSprChannelPlaying);
    EXPECT_EQ(state(12), kSprChannelPlaying);
}

TEST_F(SpriteSounds, LargeWavesAreStreamedFromTheLimitUp) {
    for (const u16 id : {13, 14}) ASSERT_EQ(sprPlaySound(id, id, 0, nullptr), 0);
    sprServiceSoundChannels();
    ASSERT_EQ(state(13), kSprChannelPlaying);
    ASSERT_EQ(state(14), kSprChannelPlaying);
    EXPECT_TRUE(sprChannelStreamed(sprFindChannel(13)));   // exactly 24576 bytes
    EXPECT_FALSE(sprChannelStreamed(sprFindChannel(14)));  // one byte less
}

TEST_F(SpriteSounds, StoppingAnOwnerWithSoundOffStillLetsGoOfItsWords) {
    u16 playing = 0xAAAA;
    ASSERT_EQ(sprPlaySound(11, 7, 0, &playing), 0);
    sprServiceSoundChannels();
    screen.soundEnabled = 0;
    sprStopTaggedSounds(7 | 0x8000);  // the owner's second slot tag names the same owner
    EXPECT_EQ(playing, kSprSoundCancelled);
    EXPECT_EQ(sprFindChannel(11), kSprNoChannel);

    // A booking not opened yet still starts, but no longer writes into the (removed) owner.
    screen.soundEnabled = 1;
    u16 booked = 0xAAAA;
    ASSERT_EQ(sprPlaySound(12, 8, 0, &booked), 0);
    sprStopTaggedSounds(8);
    EXPECT_EQ(booked, kSprSoundCancelled);
    booked = 0x5555;
    sprServiceSoundChannels();
    EXPECT_EQ(state(12), kSprChannelPlaying);
    run(300);
    sprServiceSoundChannels();
    EXPECT_EQ(booked, 0x5555);
}

TEST_F(SpriteSounds, NothingIsBookedWhileSoundIsOff) {
    screen.soundEnabled = 0;
    u16 done = 0xAAAA;
    EXPECT_EQ(sprPlaySound(11, 5, 0, &done), 1);
    EXPECT_EQ(sprFindChannel(11), kSprNoChannel);
    EXPECT_EQ(done, 0xAAAA);
}

TEST_F(SpriteSounds, AMissingSoundFailsSilentlyAndSaysSoInTheDoneWord) {
    u16 done = 0xAAAA;
    ASSERT_EQ(sprPlaySound(99, 5, 0, &done), 0);
    sprServiceSoundChannels();
    EXPECT_EQ(done, kSprSoundCancelled);
    EXPECT_EQ(sprFindChannel(99), kSprNoChannel);
}

TEST_F(SpriteSounds, SixteenChannelsAtMost) {
    // Sixteen playing owners take every channel; a seventeenth booking is refused.
    for (u16 i = 0; i < kSprChannels; ++i) ASSERT_EQ(sprPlaySound(u16(100 + i), u16(i + 3), 0, nullptr), 0) << i;
    EXPECT_EQ(sprPlaySound(11, 30, 0, nullptr), 1);
}

}  // namespace
