#include "platform/midi/choice/MidiChoice.h"

#include "platform/midi/fluidsynth/FluidSynthMidi.h"
#include "platform/midi/recording/RecordingMidi.h"
#include "platform/system/BackendChoice.h"

namespace plat {
namespace {

// A synthesizer without a soundfont still starts: it simply offers no device.
BackendChoice<MidiBackend>& choice() {
    static BackendChoice<MidiBackend> backends(
        [] { return std::make_unique<FluidSynthMidiBackend>(findSoundFont()); },
        [] { return std::make_unique<RecordingMidiBackend>(); });
    return backends;
}

}  // namespace

MidiBackend& midiBackend() { return choice().current(); }

void setMidiBackend(MidiBackend* backend) { choice().install(backend); }

}  // namespace plat
