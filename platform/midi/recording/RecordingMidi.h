#pragma once
// The headless MIDI device: it keeps every message any of its ports was given, with the
// clock's time, so tests can check what was sent and when.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/midi/MidiOut.h"

namespace plat {

struct RecordedMidiEvent {
    enum class Kind : uint8_t { Short, Long, Reset, Cache, Uncache };
    uint32_t timeMs = 0;
    Kind kind = Kind::Short;
    uint32_t packed = 0;        // short messages
    std::vector<uint8_t> bytes;  // long messages
    bool drums = false;          // patch caching: percussion keys rather than programs
    std::vector<uint16_t> masks;  // patch caching: the channel mask of each patch
};

class RecordingMidiBackend : public MidiBackend {
public:
    explicit RecordingMidiBackend(MidiOutCaps caps = defaultCaps());
    uint32_t deviceCount() override { return 1; }
    MidiOutCaps caps(uint32_t) override { return caps_; }
    std::unique_ptr<MidiOutPort> open(uint32_t device) override;

    std::vector<RecordedMidiEvent> events() const;
    void clear();
    void record(RecordedMidiEvent event);
    int openPorts() const;

    static MidiOutCaps defaultCaps();

private:
    friend class RecordingMidiPort;
    MidiOutCaps caps_;
    mutable std::mutex mutex_;
    std::vector<RecordedMidiEvent> events_;
    int openPorts_ = 0;
};

}  // namespace plat
