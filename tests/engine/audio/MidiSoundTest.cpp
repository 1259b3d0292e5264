// MIDI sounds through the recording device on the fake clock: what is sent, and when.
#include "engine/audio/MidiSound.h"
#include "engine/audio/format/ArchiveMidi.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/audio/format/MidiEvents.h"
#include "platform/midi/choice/MidiChoice.h"
#include "tests/engine/audio/AudioTestSupport.h"

namespace {

using namespace audiotest;
using Kind = plat::RecordedMidiEvent::Kind;

struct Sent {
    u32 at;
    u32 packed;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& s) { return out << std::hex << s.packed << std::dec << "@" << s.at; }

constexpr u32 noteOn(u8 key, u8 velocity = 100, u8 channel = 0) { return 0x90u | channel | (u32(key) << 8) | (u32(velocity) << 16); }
constexpr u32 noteOff(u8 key, u8 channel = 0) { return 0x80u | channel | (u32(key) << 8); }

class MidiSounds : public AudioTest {
protected:
    AudioObject* newSound(std::vector<std::vector<u8>> tracks, u16 division = 96) {
        ArchiveMidiContent content;
        content.format = tracks.size() > 1 ? 1 : 0;
        content.division = division;
        content.tracks = std::move(tracks);
        AudioObject* sound = audioNewFromHandle(handleWith(writeArchiveMidi(content)));
        EXPECT_NE(sound, nullptr) << audioGetLastError();
        return sound;
    }
    void play(AudioObject* sound) {
        ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
        midi.clear();
        ASSERT_EQ(audioPlay(sound, &AudioTest::note, reinterpret_cast<uintptr_t>(&notes)), kErrNone);
    }
    static void stopAtCue(AudioObject* object, const AudioNotification* n, uintptr_t datum) {
        note(object, n, datum);
        if (n->code == kAudioNotifyMarker) audioStop(object);
    }
    std::vector<Sent> sent() const {
        std::vector<Sent> out;
        for (const auto& e : midi.events())
            if (e.kind == Kind::Short) out.push_back({e.timeMs, e.packed});
        return out;
    }
};

// Three quarter notes at 120 beats a minute: one every 500 ms.
std::vector<u8> threeNotes() {
    return MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60).noteOn(0, 0, 62, 100).noteOff(96, 0, 62)
        .noteOn(0, 0, 64, 100).noteOff(96, 0, 64).end(0).bytes();
}

TEST_F(MidiSounds, EventsAreSentAtTheirTimesAndTheEndIsNotified) {
    AudioObject* sound = newSound({threeNotes()});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioGetDuration(sound), 1500u);
    play(sound);
    run(2000);
    const std::vector<Sent> expected = {{1000, noteOn(60)}, {1500, noteOff(60)}, {1500, noteOn(62)},
                                        {2000, noteOff(62)}, {2000, noteOn(64)}, {2500, noteOff(64)}};
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(codes(), (std::vector<u32>{kAudioNotifyStarted, kAudioNotifyFinished}));
    EXPECT_EQ(notes.back().at, 2500u);
}

TEST_F(MidiSounds, TempoEventsAndTheRateChangeTheTiming) {
    // Twice as fast after the first beat, then the whole sound at double rate.
    const std::vector<u8> track = MidiTrackWriter().noteOn(0, 0, 60, 100).tempo(96, 250000).noteOff(0, 0, 60)
                                      .noteOn(96, 0, 62, 100).end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioGetDuration(sound), 750u);
    ASSERT_EQ(audioSetRate(sound, 2 * kFixedOne), kErrNone);
    play(sound);
    run(1000);
    const std::vector<Sent> expected = {{1000, noteOn(60)}, {1250, noteOff(60)}, {1370, noteOn(62)}};
    // 250 real ms for the first beat; the second beat, 250 sequencer ms, is 125 real ms,
    // reached by the whole-millisecond steps at 1375 at the latest.
    ASSERT_EQ(sent().size(), 3u);
    EXPECT_EQ(sent()[0], expected[0]);
    EXPECT_EQ(sent()[1], expected[1]);
    EXPECT_GE(sent()[2].at, 1370u);
    EXPECT_LE(sent()[2].at, 1380u);
}

TEST_F(MidiSounds, ATempoOfZeroKeepsTheTempoBeforeIt) {
    const std::vector<u8> track = MidiTrackWriter().tempo(0, 0).noteOn(96, 0, 60, 100).end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioGetDuration(sound), 500u);
}

TEST_F(MidiSounds, ALoopEndMarkerWithACountLoopsThatManyTimes) {
    struct Case {
        const char* marker;
        u16 count;
    };
    for (const Case c : {Case{"loop end#2", 2}, Case{"loop end#", 0}, Case{"loop end", kAudioLoopForever}}) {
        const std::vector<u8> track = MidiTrackWriter().noteOn(0, 0, 50, 100).text(0, kMidiMetaMarker, "loop start")
                                          .noteOn(0, 0, 60, 100).noteOff(96, 0, 60).text(0, kMidiMetaMarker, c.marker)
                                          .noteOn(0, 0, 70, 100).end(96).bytes();
        auto* sound = static_cast<MidiSound*>(newSound({track}));
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->LoopCount(), c.count) << c.marker;
        EXPECT_EQ(sound->LoopStartMs(), 0u);
        EXPECT_EQ(sound->LoopEndMs(), 500u);
        if (c.count == 2) {
            play(sound);
            run(3000);
            size_t loopedNotes = 0;
            for (const Sent& s : sent()) loopedNotes += s.packed == noteOn(60);
            EXPECT_EQ(loopedNotes, 3u);
            EXPECT_EQ(codes().back(), kAudioNotifyFinished);
            audioStop(sound);
            audioClose(sound);
        }
        audioDispose(sound);
    }
}

TEST_F(MidiSounds, BreakLoopLetsAnEndlessLoopRunOut) {
    const std::vector<u8> track = MidiTrackWriter().text(0, kMidiMetaMarker, "loop start").noteOn(0, 0, 60, 100)
                                      .noteOff(96, 0, 60).text(0, kMidiMetaMarker, "loop end").end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    play(sound);
    run(1800);
    EXPECT_TRUE(audioGetStatus(sound) & kAudioStatusPlaying);
    ASSERT_EQ(audioBreakLoop(sound), kErrNone);
    run(1000);
    EXPECT_FALSE(audioGetStatus(sound) & kAudioStatusPlaying);
    EXPECT_EQ(codes().back(), kAudioNotifyFinished);
}

TEST_F(MidiSounds, CuePointsAreNotifiedAndFoundBySeekMarker) {
    const std::vector<u8> track = MidiTrackWriter().text(48, kMidiMetaCuePoint, "verse").noteOn(48, 0, 60, 100)
                                      .text(0, kMidiMetaCuePoint, "chorus").noteOn(96, 0, 62, 100).end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioSeekMarker(sound, "cho", 3), kErrNone);
    EXPECT_EQ(sound->GetPosition(), 500u);
    EXPECT_EQ(audioSeekMarker(sound, "bridge", kAudioNameEndsWithNul), kAudioErrNoMarker);
    EXPECT_EQ(sound->GetPosition(), 500u);
    ASSERT_EQ(audioSetPosition(sound, 0), kErrNone);
    play(sound);
    run(1200);
    std::vector<std::string> markers;
    for (const Note& n : notes)
        if (n.code == kAudioNotifyMarker) markers.push_back(n.name + "@" + std::to_string(n.at));
    EXPECT_EQ(markers, (std::vector<std::string>{"verse@1250", "chorus@1500"}));
}

TEST_F(MidiSounds, StoppingTurnsOffExactlyTheNotesThatSound) {
    const std::vector<u8> track = MidiTrackWriter().noteOn(0, 0, 60, 100).noteOn(0, 0, 60, 90).noteOn(0, 1, 40, 80)
                                      .noteOff(960, 0, 60).end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    play(sound);
    run(100);
    midi.clear();
    ASSERT_EQ(audioStop(sound), kErrNone);
    std::vector<u32> offs;
    for (const Sent& s : sent()) offs.push_back(s.packed);
    std::sort(offs.begin(), offs.end());
    EXPECT_EQ(offs, (std::vector<u32>{noteOff(40, 1), noteOff(60), noteOff(60)}));
    EXPECT_EQ(codes().back(), kAudioNotifyStopped);
}

TEST_F(MidiSounds, ASoundStoppedFromACueSendsNothingAfterIt) {
    // The cue shares its time with the next note, in the same track and in another one.
    const std::vector<u8> track = MidiTrackWriter().noteOn(0, 0, 60, 100).noteOff(96, 0, 60)
                                      .text(0, kMidiMetaCuePoint, "stop").noteOn(0, 0, 62, 100).noteOff(96, 0, 62)
                                      .noteOn(0, 0, 64, 100).noteOff(96, 0, 64).end(0).bytes();
    const std::vector<u8> other = MidiTrackWriter().noteOn(96, 1, 70, 100).noteOff(96, 1, 70).end(0).bytes();
    AudioObject* sound = newSound({track, other});
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    midi.clear();
    ASSERT_EQ(audioPlay(sound, &stopAtCue, reinterpret_cast<uintptr_t>(&notes)), kErrNone);
    run(2000);
    const std::vector<Sent> expected = {{1000, noteOn(60)}, {1500, noteOff(60)}};
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(codes(), (std::vector<u32>{kAudioNotifyStarted, kAudioNotifyMarker, kAudioNotifyStopped}));
    EXPECT_EQ(audioGetStatus(sound) & kAudioStatusPlaying, 0);
    // Played again, it goes on from where it stopped.
    midi.clear();
    ASSERT_EQ(audioPlay(sound, &AudioTest::note, reinterpret_cast<uintptr_t>(&notes)), kErrNone);
    run(1000);
    ASSERT_FALSE(sent().empty());
    EXPECT_EQ(sent().front().packed, noteOn(62));
}

TEST_F(MidiSounds, SetupEventsAreSentWhenPlayStartsPastThem) {
    const std::vector<u8> track = MidiTrackWriter().program(0, 0, 5).text(0, kMidiMetaMarker, "setup end")
                                      .noteOn(96, 0, 60, 100).noteOn(96, 0, 62, 100).end(0).bytes();
    AudioObject* sound = newSound({track});
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(audioSetPosition(sound, 700), kErrNone);
    play(sound);
    run(500);
    const std::vector<Sent> expected = {{1000, 0x05C0u}, {1300, noteOn(62)}};
    EXPECT_EQ(sent(), expected);
}

TEST_F(MidiSounds, ADamagedTrackEndsWhileTheOthersPlayOn) {
    // A data byte with no status before it: the track cannot be read.
    const std::vector<u8> damaged = {0x00, 60, 100, 0x00, 0xFF, 0x2F, 0x00};
    AudioObject* sound = newSound({damaged, threeNotes()});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioGetDuration(sound), 1500u);
    play(sound);
    run(700);
    EXPECT_EQ(sent().front(), (Sent{1000, noteOn(60)}));
}

TEST_F(MidiSounds, PlayingPastTheEndIsRefusedAndPositionsPastItAnswerAtEnd) {
    AudioObject* sound = newSound({threeNotes()});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioSetPosition(sound, 1500), kErrNone);
    EXPECT_EQ(audioSetPosition(sound, 1501), kAudioErrAtEnd);
    ASSERT_EQ(audioOpen(sound, kAudioDefaultDevice), kErrNone);
    EXPECT_EQ(audioPlay(sound, nullptr, 0), kAudioErrAtEnd);
}

// What the synthesizer offers without a soundfont: no device at all.
class NoMidiDevices : public plat::MidiBackend {
public:
    uint32_t deviceCount() override { return 0; }
    plat::MidiOutCaps caps(uint32_t) override { return {}; }
    std::unique_ptr<plat::MidiOutPort> open(uint32_t) override { return nullptr; }
};

TEST_F(MidiSounds, WithoutADeviceAMidiSoundOnlyFailsToOpen) {
    NoMidiDevices none;
    plat::setMidiBackend(&none);
    AudioObject* sound = newSound({threeNotes()});
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(audioOpen(sound, kAudioDefaultDevice), kAudioErrBadDevice);
    EXPECT_EQ(audioPlay(sound, nullptr, 0), kAudioErrNotOpen);
    run(100);
    EXPECT_TRUE(midi.events().empty());
    plat::setMidiBackend(&midi);
}

TEST_F(MidiSounds, HeadersTheSequencerCannotPlayAreRefused) {
    ArchiveMidiContent content;
    content.format = 2;
    content.tracks = {threeNotes()};
    EXPECT_EQ(audioNewFromHandle(handleWith(writeArchiveMidi(content))), nullptr);
    EXPECT_EQ(audioGetLastError(), kAudioErrUnsupported);
}

}  // namespace
