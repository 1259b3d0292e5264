#pragma once
// The one place that picks the MIDI backend, once at first use (platform/system/BackendChoice.h):
// the recording device when the program runs headless, else the software synthesizer, which
// has no device at all when no soundfont is installed.
#include "platform/midi/MidiOut.h"

namespace plat {

MidiBackend& midiBackend();
// Replaces the start-up choice (tests install a recording backend); nullptr restores it.
void setMidiBackend(MidiBackend* backend);

}  // namespace plat
