#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"
#include "platform/midi/fluidsynth/FluidSynthMidi.h"
#include "platform/midi/recording/RecordingMidi.h"

namespace {

int peakOf(const std::vector<uint8_t>& bytes, size_t from) {
    int peak = 0;
    for (size_t i = from; i + 1 < bytes.size(); i += 2) {
        int16_t sample;
        std::memcpy(&sample, &bytes[i], 2);
        peak = std::max(peak, std::abs(int(sample)));
    }
    return peak;
}

TEST(RecordingMidi, KeepsEveryMessageWithTheClockTime) {
    plat::ScopedFakeClock clock(500);
    plat::RecordingMidiBackend backend;
    std::unique_ptr<plat::MidiOutPort> port = backend.open(0);
    ASSERT_TRUE(port);
    EXPECT_EQ(backend.openPorts(), 1);
    port->shortMessage(0x643C90);
    clock.advance(25);
    const uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    port->longMessage(sysex);
    port->reset();
    const auto events = backend.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].timeMs, 500u);
    EXPECT_EQ(events[0].packed, 0x643C90u);
    EXPECT_EQ(events[1].timeMs, 525u);
    EXPECT_EQ(events[1].bytes, std::vector<uint8_t>(std::begin(sysex), std::end(sysex)));
    EXPECT_EQ(events[2].kind, plat::RecordedMidiEvent::Kind::Reset);
    EXPECT_FALSE(backend.open(1));
    port.reset();
    EXPECT_EQ(backend.openPorts(), 0);
}

TEST(FluidSynthMidi, WithoutASoundFontThereIsNoDevice) {
    plat::FluidSynthMidiBackend backend("");
    EXPECT_EQ(backend.deviceCount(), 0u);
    EXPECT_FALSE(backend.open(0));
}

TEST(FluidSynthMidi, ANoteRendersSoundIntoTheAudioStream) {
    const std::string soundFont = plat::findSoundFont();
    if (soundFont.empty()) GTEST_FAIL() << "no General MIDI soundfont installed (fluid-soundfont-gm, scripts/install-deps)";
    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend audio;
    plat::FluidSynthMidiBackend backend(soundFont, &audio);
    ASSERT_EQ(backend.deviceCount(), 1u);
    std::unique_ptr<plat::MidiOutPort> port = backend.open(0);
    ASSERT_TRUE(port);
    clock.advance(50);
    const size_t quietBytes = audio.lastCapture()->bytes().size();
    ASSERT_GT(quietBytes, 0u);
    // Only the synthesizer's dither is heard before a note.
    EXPECT_LT(peakOf(audio.lastCapture()->bytes(), 0), 16);

    port->shortMessage(0x7F3C90);  // note-on, middle C, loudest
    clock.advance(200);
    EXPECT_GT(peakOf(audio.lastCapture()->bytes(), quietBytes), 500);
}

}  // namespace
