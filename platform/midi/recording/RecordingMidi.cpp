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
        RecordedMidiEvent event = now(RecordedMidiEvent::Kind::Short);
        event.packed = packed;
        owner_.record(std::move(event));
    }
    void longMessage(std::span<const uint8_t> bytes) override {
        RecordedMidiEvent event = now(RecordedMidiEvent::Kind::Long);
        event.bytes.assign(bytes.begin(), bytes.end());
        owner_.record(std::move(event));
    }
    void reset() override { owner_.record(now(RecordedMidiEvent::Kind::Reset)); }
    void cachePatches(bool drums, std::span<const uint16_t, kMidiPatchCount> masks, bool load) override {
        RecordedMidiEvent event = now(load ? RecordedMidiEvent::Kind::Cache : RecordedMidiEvent::Kind::Uncache);
        event.drums = drums;
        event.masks.assign(masks.begin(), masks.end());
        owner_.record(std::move(event));
    }

private:
    static RecordedMidiEvent now(RecordedMidiEvent::Kind kind) {
        RecordedMidiEvent event;
        event.timeMs = clockMillis();
        event.kind = kind;
        return event;
    }
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
