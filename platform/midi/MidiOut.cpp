#include "platform/midi/MidiOut.h"

#include <atomic>

#include "platform/midi/fluidsynth/FluidSynthMidi.h"
#include "platform/midi/recording/RecordingMidi.h"
#include "platform/system/Headless.h"

namespace plat {
namespace {

std::atomic<MidiBackend*> installed{nullptr};

MidiBackend& startupBackend() {
    static std::unique_ptr<MidiBackend> chosen = []() -> std::unique_ptr<MidiBackend> {
        if (headlessRequested()) return std::make_unique<RecordingMidiBackend>();
        return std::make_unique<FluidSynthMidiBackend>(findSoundFont());
    }();
    return *chosen;
}

}  // namespace

MidiBackend& midiBackend() {
    MidiBackend* backend = installed.load();
    return backend ? *backend : startupBackend();
}

void setMidiBackend(MidiBackend* backend) { installed.store(backend); }

}  // namespace plat
