#pragma once
// The software synthesizer: each open port is a FluidSynth instance with the General MIDI
// soundfont, rendering 44.1 kHz stereo into a stream of the audio backend. Without a
// soundfont the backend lists no device, so MIDI sounds simply stay silent.
#include <string>

#include "platform/midi/MidiOut.h"

namespace plat {

class AudioBackend;

// TUMBLO_SOUNDFONT when it names a file, else the first General MIDI soundfont installed
// where Debian puts them; empty when there is none.
std::string findSoundFont();

class FluidSynthMidiBackend : public MidiBackend {
public:
    // `audio` null: the program's audio backend.
    explicit FluidSynthMidiBackend(std::string soundFont, AudioBackend* audio = nullptr);
    uint32_t deviceCount() override;
    MidiOutCaps caps(uint32_t device) override;
    std::unique_ptr<MidiOutPort> open(uint32_t device) override;

private:
    std::string soundFont_;
    AudioBackend* audio_;
};

}  // namespace plat
