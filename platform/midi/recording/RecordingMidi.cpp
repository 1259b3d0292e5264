#include "platform/midi/recording/RecordingMidi.h"

#include "platform/clock/Clock.h"

namespace plat {

class RecordingMidiPort : public MidiOutPort {
public:
    explicit RecordingMidiPort(RecordingMidiBackend& owner) : owner_(owner) {
        std::lock_guard lock(owner_.mutex_);
        ++owner_.openPorts_;
    }
    ~RecordingMidiPort() override {
        std::lock_guard lock(owner_.mutex_);
        --owner_.openPorts_;
    }
    void shortMessage(uint32_t packed) override {
        owner_.record({clockMillis(), RecordedMidiEvent::Kind::Short, packed, {}});
    }
    void longMessage(std::span<const uint8_t> bytes) override {
        owner_.record({clockMillis(), RecordedMidiEvent::Kind::Long, 0, {bytes.begin(), bytes.end()}});
    }
    void reset() override { owner_.record({clockMillis(), RecordedMidiEvent::Kind::Reset, 0, {}}); }

private:
    RecordingMidiBackend& owner_;
};

RecordingMidiBackend::RecordingMidiBackend(MidiOutCaps caps) : caps_(std::move(caps)) {}

MidiOutCaps RecordingMidiBackend::defaultCaps() {
    MidiOutCaps caps;
    caps.productName = "Recording MIDI Out";
    caps.driverVersion = 0x0100;
    caps.technology = kMidiTechSoftwareSynth;
    caps.voices = 32;
    caps.notes = 32;
    caps.support = kMidiSupportVolume;
    return caps;
}

std::unique_ptr<MidiOutPort> RecordingMidiBackend::open(uint32_t device) {
    if (device != 0) return nullptr;
    return std::make_unique<RecordingMidiPort>(*this);
}

std::vector<RecordedMidiEvent> RecordingMidiBackend::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

void RecordingMidiBackend::clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

void RecordingMidiBackend::record(RecordedMidiEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

int RecordingMidiBackend::openPorts() const {
    std::lock_guard lock(mutex_);
    return openPorts_;
}

}  // namespace plat
