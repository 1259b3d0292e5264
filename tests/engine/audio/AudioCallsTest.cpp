// The flat audio calls: the states each refuses, in order, and what the module chooses.
#include "engine/audio/AudioDeviceEntry.h"
#include "engine/audio/AudioModule.h"
#include "engine/audio/WaveRateTranslation.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/ini/IniProfiles.h"
#include "tests/engine/audio/AudioTestSupport.h"

#include <optional>

namespace {

using namespace audiotest;

class AudioCalls : public AudioTest {
protected:
    AudioObject* wave(u32 frames = 22050) {
        ArchiveWaveInfo info;
        info.sampleRate = 22050;
        info.frames = frames;
        return audioNewFromHandle(handleWith(writeArchiveWave(info, std::vector<u8>(frames * 2, 1))));
    }
    AudioObject* midiSound() {
        ArchiveMidiContent content;
        content.tracks = {MidiTrackWriter().noteOn(0, 0, 60, 100).end(960).bytes()};
        return audioNewFromHandle(handleWith(writeArchiveMidi(content)));
    }
};

TEST_F(AudioCalls, EachCallRefusesTheStatesItCannotRunIn) {
    AudioObject* o = wave();
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(audioGetVersion(), kAudioVersion);
    EXPECT_EQ(audioPlay(o, nullptr, 0), kAudioErrNotOpen);
    EXPECT_EQ(audioStop(o), kAudioErrNotOpen);
    EXPECT_EQ(audioClose(o), kAudioErrNotOpen);
    EXPECT_EQ(audioPause(o), kAudioErrNotPlaying);
    EXPECT_EQ(audioResume(o), kAudioErrNotPaused);
    EXPECT_EQ(audioGetDeviceHandle(o), 0u);
    EXPECT_EQ(audioGetLastError(), kAudioErrNotOpen);
    ASSERT_EQ(audioOpen(o, kAudioDefaultDevice), kErrNone);
    EXPECT_EQ(audioOpen(o, kAudioDefaultDevice), kAudioErrOpen);
    EXPECT_NE(audioGetDeviceHandle(o), 0u);
    ASSERT_EQ(audioPlay(o, nullptr, 0), kErrNone);
    EXPECT_EQ(audioPlay(o, nullptr, 0), kAudioErrPlaying);
    EXPECT_EQ(audioSetPosition(o, 0), kAudioErrPlaying);
    EXPECT_EQ(audioClose(o), kAudioErrPlaying);
    ASSERT_EQ(audioPause(o), kErrNone);
    EXPECT_EQ(audioGetStatus(o), kAudioStatusOpen | kAudioStatusPaused);
    EXPECT_EQ(audioPlay(o, nullptr, 0), kAudioErrPaused);
    EXPECT_EQ(audioSeekMarker(o, "x", 1), kAudioErrPaused);
    ASSERT_EQ(audioResume(o), kErrNone);
    ASSERT_EQ(audioStop(o), kErrNone);
    EXPECT_EQ(audioDispose(o), kAudioErrOpen);
    ASSERT_EQ(audioClose(o), kErrNone);
    ASSERT_EQ(audioDispose(o), kErrNone);
}

TEST_F(AudioCalls, ADisposedObjectIsNoObjectToAnyCall) {
    AudioObject* o = wave();
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(audioDispose(o), kErrNone);
    // The memory is gone with the object; a null pointer stands for every stale one here.
    AudioObject* none = nullptr;
    EXPECT_EQ(audioOpen(none, 0), kAudioErrNotObject);
    EXPECT_EQ(audioPlay(none, nullptr, 0), kAudioErrNotObject);
    EXPECT_EQ(audioDispose(none), kAudioErrNotObject);
    EXPECT_EQ(audioGetDuration(none), 0xFFFFFFFFu);
    EXPECT_EQ(audioGetStatus(none), 0xFFFF);
    EXPECT_EQ(audioGetLastError(), kAudioErrNotObject);
}

TEST_F(AudioCalls, TheDefaultDeviceIsTheOneOfTheSoundsKind) {
    AudioObject* w = wave();
    AudioObject* m = midiSound();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(audioOpen(w, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(audioOpen(m, kAudioDefaultDevice), kErrNone);
    EXPECT_EQ(w->deviceId, audioGetDefaultWaveDevice());
    EXPECT_EQ(w->deviceId, plat::kWaveMapper);
    EXPECT_EQ(m->deviceId, audioGetDefaultMidiDevice());
    EXPECT_EQ(midi.openPorts(), 1);
}

TEST_F(AudioCalls, DeactivationReleasesEveryDeviceAndActivationRestoresThePlay) {
    AudioObject* w = wave(44100);
    AudioObject* m = midiSound();
    ASSERT_EQ(audioOpen(w, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(audioOpen(m, kAudioDefaultDevice), kErrNone);
    ASSERT_EQ(audioPlay(w, nullptr, 0), kErrNone);
    run(100);
    ASSERT_EQ(audioActivate(0), kErrNone);
    EXPECT_EQ(midi.openPorts(), 0);
    EXPECT_EQ(audioPlay(m, nullptr, 0), kAudioErrReleased);
    EXPECT_EQ(audioGetDeviceHandle(w), 0u);
    EXPECT_TRUE(audioGetStatus(w) & kAudioStatusPlaying);
    ASSERT_EQ(audioActivate(1), kErrNone);
    EXPECT_EQ(midi.openPorts(), 1);
    EXPECT_NE(audioGetDeviceHandle(w), 0u);
    const u32 before = w->GetPosition();
    EXPECT_GT(before, 0u);
    run(300);
    EXPECT_GT(w->GetPosition(), before);
}

// An engine thread that holds a sound's lock, lets the deactivation start waiting for it,
// and then disposes of the sound.
struct Disposer {
    AudioObject* object;
    EngineErr result = 1;
    static void body(void* argument) {
        auto* self = static_cast<Disposer*>(argument);
        self->object->Lock(kOsmNoTimeout);
        osmSleep(0);
        self->result = audioDispose(self->object);
    }
};

TEST_F(AudioCalls, DeactivationGoesOnWhenAnObjectItWaitsForIsDestroyed) {
    AudioObject* kept = wave();
    AudioObject* doomed = wave();  // first in the live list: waited for first
    ASSERT_EQ(audioOpen(kept, kAudioDefaultDevice), kErrNone);
    Disposer disposer{doomed};
    osmThread* thread = osmCreateThread(&Disposer::body, &disposer, 0x4000, kOsmDefaultPriority);
    ASSERT_NE(thread, nullptr);
    osmResumeThread(thread);
    osmSleep(0);  // the thread now holds the doomed sound's lock
    // The clock never moves: the wait for the doomed sound ends only by its destruction.
    EXPECT_EQ(audioActivate(0), kErrNone);
    ASSERT_EQ(osmWaitForObject(thread, 0), kErrNone);
    EXPECT_EQ(disposer.result, kErrNone);
    EXPECT_FALSE(kept->acquired);
    EXPECT_EQ(audioGetDeviceHandle(kept), 0u);
    EXPECT_FALSE(audioIsLive(doomed));
}

TEST(AudioDeviceEntries, NamesPrefixesAndVersionConditions) {
    struct Case {
        const char* entry;
        const char* device;
        u16 version;
        bool matches;
    };
    const Case cases[] = {
        {"Sound Card", "sound card", 0x0100, true},
        {"Sound Card", "Sound Card Pro", 0x0100, false},
        {"'Sound'", "Sound Card Pro", 0x0100, true},
        {"'Sound Card Pro X'", "Sound Card Pro", 0x0100, false},
        {"\"Sound\"", "Sound Card", 0x0100, false},
        {"'Sound';4.0+", "Sound Card", 0x0400, true},
        {"'Sound';4.0+", "Sound Card", 0x03FF, false},
        {"'Sound';4.0+", "Sound Card", 0x0A00, true},
        {"'Sound';4.0-", "Sound Card", 0x0400, true},
        {"'Sound';4.0-", "Sound Card", 0x0401, false},
        {"'Sound';4.2", "Sound Card", 0x0402, true},
        {"'Sound';4.2", "Sound Card", 0x0403, false},
        {"'Sound';4.2", "Sound Card", 0, true},
        {"'Sound';4", "Sound Card", 0x0400, false},       // minor missing
        {"'Sound';999.0+", "Sound Card", 0x0400, false},  // major past a byte
        {"'Sound", "Sound Card", 0x0400, false},          // no closing quote
    };
    for (const Case& c : cases)
        EXPECT_EQ(audioDeviceEntryMatches(c.entry, c.device, c.version), c.matches) << c.entry << " / " << c.device;

    char out[16];
    const std::vector<std::string> entries = {"Other", "'Sound';4.0+"};
    EXPECT_EQ(audioFindDeviceEntry(entries, out, 16, "Sound Card", 0x0400), kErrNone);
    EXPECT_STREQ(out, "'Sound';4.0+");
    EXPECT_EQ(audioFindDeviceEntry(entries, out, 13, "Sound Card", 0x0400), kErrNone);  // 12 characters and the NUL
    EXPECT_EQ(audioFindDeviceEntry(entries, out, 12, "Sound Card", 0x0400), kIniErrTooLong);
    EXPECT_EQ(audioFindDeviceEntry(entries, out, 16, "Speaker", 0x0400), kIniErrNotFound);
}

TEST(AudioDeviceEntries, DeviceNumbersAreWholeAndNeverNegative) {
    struct Case {
        const char* text;
        bool ok;
        u32 value;
    };
    const Case cases[] = {{"0", true, 0},        {"65535", true, 65535}, {"65536", false, 0}, {"-1", false, 0},
                          {"+1", false, 0},      {"1 ", false, 0},       {"", false, 0},      {"12ab", false, 0},
                          {"99999999999", false, 0}};
    for (const Case& c : cases) {
        u32 value = 0;
        EXPECT_EQ(audioParseDeviceNumber(c.text, 0xFFFF, &value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST_F(AudioCalls, TheWaveDeviceSettingNamesADeviceOrLeavesTheMapper) {
    ASSERT_EQ(pcmMixGetNumDevs(), 1);
    PcmMixDevCaps caps;
    ASSERT_EQ(pcmMixGetDevCaps(0, &caps, kPcmMixDevCapsSize), 0);
    struct Case {
        std::optional<std::string> setting;
        u16 device;
    };
    const Case cases[] = {{std::nullopt, plat::kWaveMapper}, {"0", 0}, {"1", plat::kWaveMapper},
                          {"65535", plat::kWaveMapper},      {"-1", plat::kWaveMapper},
                          // The mapper carries its first device's name and is asked first.
                          {std::string(caps.productName), plat::kWaveMapper}, {"Nothing Such", plat::kWaveMapper}};
    for (const Case& c : cases) EXPECT_EQ(audioChooseWaveDevice(c.setting), c.device) << c.setting.value_or("(absent)");
}

TEST_F(AudioCalls, TheMidiDeviceSettingNamesADeviceByNumberOrName) {
    struct Case {
        std::optional<std::string> setting;
        u16 device;
    };
    const Case cases[] = {{std::nullopt, 0}, {"0", 0}, {"1", 0}, {"-1", 0}, {"recording midi out", 0}};
    for (const Case& c : cases) EXPECT_EQ(audioChooseMidiDevice(c.setting), c.device) << c.setting.value_or("(absent)");
}

TEST(WaveRateTranslations, RatesThatAreNotMultiplesOfTheBaseRateAreLookedUp) {
    const IniPairs translations = {{"8012", "8000"}, {"12000", "0"}, {"9000", "11025xyz"}};
    struct Case {
        u32 rate, translated;
    };
    const Case cases[] = {{44100, 44100}, {22050, 22050}, {11025, 11025}, {8012, 8000},
                          {12000, 12000}, {9000, 9000},   {7999, 7999}};
    for (const Case& c : cases) EXPECT_EQ(waveTranslateRate(c.rate, 11025, translations), c.translated) << c.rate;
    EXPECT_EQ(waveTranslateRate(8012, 0, translations), 8012u);
}

}  // namespace

namespace {

class CachedMidiDevice : public audiotest::AudioTest {
protected:
    void SetUp() override {
        AudioSettings settings = defaultSettings();
        settings.cacheDefaultMidiDevice = true;
        startWith(settings);
    }
};

TEST_F(CachedMidiDevice, TheDefaultDeviceStaysOpenWhileActive) {
    EXPECT_EQ(midi.openPorts(), 1);
    ASSERT_EQ(audioActivate(0), kErrNone);
    EXPECT_EQ(midi.openPorts(), 0);
    ASSERT_EQ(audioActivate(1), kErrNone);
    EXPECT_EQ(midi.openPorts(), 1);
}

}  // namespace
