// The sprite layer's sound channels on the virtual audio device: bookings started by the
// service, owners cutting off their earlier sounds, streaming by size, and what stopping an
// owner's sounds leaves behind, cue text within the owner's buffer, and which device errors
// ask the user.
#include "sound/sprites/SprSoundChannels.h"

#include <cstring>
#include <string>

#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/engine/resources/MemoryArchiveFile.h"

namespace {

constexpr FourCC kWave = fourCC("tWAV");
constexpr FourCC kMidi = fourCC("tMID");
constexpr u16 kMidiSound = 20;
// Waves whose one cue is named to just fill, and to overflow by one, an owner's 8-byte buffer.
constexpr u16 kCueFits = 15;
constexpr u16 kCueTooLong = 16;
constexpr u32 kCueBufferSize = 8;

u16 play(u16 soundId, u16 tag, u16* done) {
    SprSoundRequest request;
    request.soundId = soundId;
    request.tag = tag;
    request.done = done;
    return sprPlaySound(request);
}

// An 8-bit mono wave whose whole image is `bytes` long.
std::vector<u8> waveOfSize(u32 bytes, const std::string& cue = {}) {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.bits = 8;
    if (!cue.empty()) info.cues = {WaveCue{1000, cue}};
    const u32 overhead = u32(writeArchiveWave(info, {}).size());
    info.frames = bytes - overhead;
    return writeArchiveWave(info, std::vector<u8>(info.frames, 0x90));
}

class SpriteSounds : public audiotest::AudioTest {
protected:
    virtual AudioSettings settings() { return defaultSettings(); }
    void SetUp() override {
        startWith(settings());
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
        const std::pair<u16, std::string> cued[] = {{kCueFits, "ABCDEFG"}, {kCueTooLong, "ABCDEFGH"}};
        for (const auto& [id, cue] : cued) {
            const std::vector<u8> wave = waveOfSize(4410, cue);
            ASSERT_EQ(resWriteResource(resAddResource(kWave, id, nullptr), wave.data(), u32(wave.size()), 0), kErrNone);
        }
        ArchiveMidiContent midi;
        midi.division = 96;
        midi.tracks = {MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60).end(0).bytes()};
        const std::vector<u8> midiImage = writeArchiveMidi(midi);
        ASSERT_EQ(resWriteResource(resAddResource(kMidi, kMidiSound, nullptr), midiImage.data(), u32(midiImage.size()), 0),
                  kErrNone);
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
        ASSERT_NE(resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file, "sprites"), 1, 0), 0);
        screen.soundEnabled = 1;
        sprSetScreen(&screen);
        sprInstallSoundChannels();
    }
    void TearDown() override {
        sprStopAllSounds();
        sprSetDeviceBusyPrompt(nullptr);
        sprSetSoundHooks(SprSoundHooks{});
        sprSetScreen(nullptr);
        AudioTest::TearDown();
    }
    u16 state(u16 soundId) { return sprChannelState(sprFindChannel(soundId)); }

    std::shared_ptr<testres::FileImage> file = std::make_shared<testres::FileImage>();
    SprScreen screen{};
};

// Sprite sound channels keep pointers to their owners' done words: a test stops every sound
// before its words go out of scope.
struct StopSoundsOnExit {
    ~StopSoundsOnExit() { sprStopAllSounds(); }
};

TEST_F(SpriteSounds, ABookingStartsAtTheServiceAndReportsItsEndThere) {
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    ASSERT_EQ(play(11, 5, &done), 0);
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
        const StopSoundsOnExit stopSounds;  // the channels point at the words above
        ASSERT_EQ(play(12, tag, &first), 0);
        sprServiceSoundChannels();
        ASSERT_EQ(state(12), kSprChannelPlaying);
        ASSERT_EQ(play(11, tag, &second), 0);
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
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    ASSERT_EQ(play(11, 5, &a), 0);
    ASSERT_EQ(play(12, 5, &b), 0);
    sprServiceSoundChannels();
    EXPECT_EQ(state(11), kSprChannelPlaying);
    EXPECT_EQ(state(12), kSprChannelPlaying);
}

TEST_F(SpriteSounds, LargeWavesAreStreamedFromTheLimitUp) {
    for (const u16 id : {13, 14}) ASSERT_EQ(play(id, id, nullptr), 0);
    sprServiceSoundChannels();
    ASSERT_EQ(state(13), kSprChannelPlaying);
    ASSERT_EQ(state(14), kSprChannelPlaying);
    EXPECT_TRUE(sprChannelStreamed(sprFindChannel(13)));   // exactly 24576 bytes
    EXPECT_FALSE(sprChannelStreamed(sprFindChannel(14)));  // one byte less
}

TEST_F(SpriteSounds, StoppingAnOwnerWithSoundOffStillLetsGoOfItsWords) {
    u16 playing = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    ASSERT_EQ(play(11, 7, &playing), 0);
    sprServiceSoundChannels();
    screen.soundEnabled = 0;
    sprStopTaggedSounds(7 | 0x8000);  // the owner's second slot tag names the same owner
    EXPECT_EQ(playing, kSprSoundCancelled);
    EXPECT_EQ(sprFindChannel(11), kSprNoChannel);

    // A booking not opened yet still starts, but no longer writes into the (removed) owner.
    screen.soundEnabled = 1;
    u16 booked = 0xAAAA;
    const StopSoundsOnExit stopBooked;  // the channels point at the words above
    ASSERT_EQ(play(12, 8, &booked), 0);
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
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    EXPECT_EQ(play(11, 5, &done), 1);
    EXPECT_EQ(sprFindChannel(11), kSprNoChannel);
    EXPECT_EQ(done, 0xAAAA);
}

TEST_F(SpriteSounds, AMissingSoundFailsSilentlyAndSaysSoInTheDoneWord) {
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    ASSERT_EQ(play(99, 5, &done), 0);
    sprServiceSoundChannels();
    EXPECT_EQ(done, kSprSoundCancelled);
    EXPECT_EQ(sprFindChannel(99), kSprNoChannel);
}

TEST_F(SpriteSounds, SixteenChannelsAtMost) {
    // Sixteen playing owners take every channel; a seventeenth booking is refused.
    for (u16 i = 0; i < kSprChannels; ++i) ASSERT_EQ(play(u16(100 + i), u16(i + 3), nullptr), 0) << i;
    EXPECT_EQ(play(11, 30, nullptr), 1);
}

TEST_F(SpriteSounds, CueTextReachesTheOwnerThroughTheSeamWithinItsBuffer) {
    struct Case {
        u16 soundId;
        const char* text;
    };
    // The cue "ABCDEFG" fills the 8-byte buffer with its NUL; "ABCDEFGH" is one too long and is cut.
    for (const Case& test : {Case{kCueFits, "ABCDEFG"}, Case{kCueTooLong, "ABCDEFG"}}) {
        char buffer[kCueBufferSize + 4];
        std::memset(buffer, 'x', sizeof buffer);
        u32 cueFlag = 0xAAAA;
        u16 done = 0xAAAA;
        const StopSoundsOnExit stopSounds;  // the channels point at the words above
        SprSoundRequest request;
        request.soundId = test.soundId;
        request.tag = 5;
        request.done = &done;
        request.cueFlag = &cueFlag;
        request.cueText = buffer;
        request.cueTextSize = kCueBufferSize;
        ASSERT_TRUE(sprRequestSound(request));
        sprServiceSounds();
        ASSERT_EQ(state(test.soundId), kSprChannelPlaying);
        EXPECT_EQ(cueFlag, 0u);
        EXPECT_EQ(std::string(buffer, 4), std::string(4, '\0')) << "the text is cleared when the sound starts";
        run(300);
        sprServiceSounds();
        EXPECT_EQ(cueFlag, 1u) << test.soundId;
        EXPECT_STREQ(buffer, test.text) << test.soundId;
        EXPECT_EQ(std::string(buffer + kCueBufferSize, 4), "xxxx") << "nothing is written past the owner's buffer";
        EXPECT_EQ(done, test.soundId);
    }
}

TEST_F(SpriteSounds, TheMidiFlagPassesThroughTheSeam) {
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    SprSoundRequest request;
    request.soundId = kMidiSound;
    request.tag = 5;
    request.midi = 1;
    request.done = &done;
    ASSERT_TRUE(sprRequestSound(request));
    sprServiceSounds();
    EXPECT_EQ(state(kMidiSound), kSprChannelPlaying);
    EXPECT_EQ(screen.midiPlaying, 1);
    EXPECT_EQ(done, 0);
}

TEST_F(SpriteSounds, OnlyABusyDeviceAsksTheUserAndCancelDropsJustTheSound) {
    struct Case {
        const char* name;
        u32 failingOpens;
        bool devicePresent;
        bool retry;
        int asks;
        u16 done;
        u16 state;
    };
    // Failing cases first: once an open succeeds the mixer keeps the device.
    const Case cases[] = {
        {"no device", 0, false, true, 0, kSprSoundCancelled, kSprChannelFree},
        {"busy, Cancel", 1000, true, false, 1, kSprSoundCancelled, kSprChannelFree},
        {"busy, Retry twice", 2, true, true, 2, 0, kSprChannelPlaying},
    };
    for (const Case& test : cases) {
        int asks = 0;
        // Retry is answered a few times at most, so a device that stays busy cannot hang the test.
        sprSetDeviceBusyPrompt([&] { return ++asks <= 5 && test.retry; });
        audio.setPresent(test.devicePresent);
        audio.failNextOpens(test.failingOpens);
        u16 done = 0xAAAA;
        const StopSoundsOnExit stopSounds;  // the channels point at the words above
        ASSERT_EQ(play(11, 5, &done), 0) << test.name;
        sprServiceSounds();
        EXPECT_EQ(asks, test.asks) << test.name;
        EXPECT_EQ(done, test.done) << test.name;
        EXPECT_EQ(state(11), test.state) << test.name;
        audio.failNextOpens(0);
        audio.setPresent(true);
        sprStopAllSounds();
    }
    // After a Cancel the program goes on: the next sound plays.
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    ASSERT_EQ(play(12, 6, &done), 0);
    sprServiceSounds();
    EXPECT_EQ(state(12), kSprChannelPlaying);
}

TEST_F(SpriteSounds, StoppingASoundByItsIdFreesItsChannelWhileSoundIsOn) {
    struct Case {
        const char* name;
        bool serviced;  // the booking opened and started before the stop
        u16 soundEnabled;
        u16 done;
        u16 state;
    };
    const Case cases[] = {
        {"playing", true, 1, kSprSoundCancelled, kSprChannelFree},
        {"playing, sound off", true, 0, 0, kSprChannelPlaying},
        // As for an owner's sounds, a booking not opened yet still starts, without its owner.
        {"booked", false, 1, kSprSoundCancelled, kSprChannelPlaying},
    };
    for (const Case& c : cases) {
        u16 done = 0xAAAA;
        const StopSoundsOnExit stopSounds;  // the channels point at the words above
        ASSERT_EQ(play(12, 5, &done), 0) << c.name;
        if (c.serviced) sprServiceSoundChannels();
        screen.soundEnabled = c.soundEnabled;
        sprStopSound(12);
        sprStopSound(11);  // no channel holds it: nothing happens
        screen.soundEnabled = 1;
        EXPECT_EQ(done, c.done) << c.name;
        sprServiceSoundChannels();
        EXPECT_EQ(state(12), c.state) << c.name;
        sprStopAllSounds();
    }
}

// The busy-device question runs a modal loop whose screen updates service the channels again:
// the channel being opened is neither opened nor started a second time from inside.
TEST_F(SpriteSounds, AServiceFromInsideTheBusyQuestionLeavesTheOpeningChannelAlone) {
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    int asks = 0;
    sprSetDeviceBusyPrompt([&] {
        ++asks;
        sprServiceSounds();
        return asks <= 2;
    });
    audio.failNextOpens(1);
    ASSERT_EQ(play(11, 5, &done), 0);
    sprServiceSounds();
    EXPECT_EQ(asks, 1);
    EXPECT_EQ(state(11), kSprChannelPlaying);
    EXPECT_EQ(done, 0);
    run(300);
    sprServiceSounds();
    EXPECT_EQ(done, 11) << "the one sound played to its end";
}

class SpriteSoundsWithoutMidi : public SpriteSounds {
protected:
    AudioSettings settings() override {
        AudioSettings s = defaultSettings();
        s.enableMidi = false;
        return s;
    }
};

TEST_F(SpriteSoundsWithoutMidi, MidiTurnedOffDropsTheSoundWithoutAsking) {
    int asks = 0;
    sprSetDeviceBusyPrompt([&] { return ++asks < 0; });
    u16 done = 0xAAAA;
    const StopSoundsOnExit stopSounds;  // the channels point at the words above
    SprSoundRequest request;
    request.soundId = kMidiSound;
    request.midi = 1;
    request.done = &done;
    ASSERT_TRUE(sprRequestSound(request));
    sprServiceSounds();
    EXPECT_EQ(asks, 0);
    EXPECT_EQ(done, kSprSoundCancelled);
    EXPECT_EQ(sprFindChannel(kMidiSound), kSprNoChannel);
}

}  // namespace
