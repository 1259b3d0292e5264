#pragma once
// MIDI output devices. A backend lists its devices and opens ports on them; a port takes
// packed short messages (status in the low byte, then two data bytes), long messages (whole
// system-exclusive messages from 0xF0 to 0xF7) and resets (every note and controller off).
// The backend is chosen in platform/midi/choice/MidiChoice.h. Ports are used from the
// engine's thread; a synthesizer renders on its audio stream's thread.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace plat {

// Device technologies.
constexpr uint16_t kMidiTechPort = 1;
constexpr uint16_t kMidiTechSynth = 2;
constexpr uint16_t kMidiTechSquareWave = 3;
constexpr uint16_t kMidiTechFm = 4;
constexpr uint16_t kMidiTechSoftwareSynth = 7;

// Support bits.
constexpr uint32_t kMidiSupportVolume = 0x0001;
// The device loads its patches and percussion keys only when asked (cachePatches).
constexpr uint32_t kMidiSupportCache = 0x0004;
// Programs and percussion keys of a bank, each with the mask of the channels that use it.
constexpr size_t kMidiPatchCount = 128;

struct MidiOutCaps {
    std::string productName;
    uint16_t driverVersion = 0;  // major in the high byte
    uint16_t technology = kMidiTechSoftwareSynth;
    uint16_t voices = 0;
    uint16_t notes = 0;  // polyphony
    uint32_t support = 0;
};

class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;
    virtual void shortMessage(uint32_t packed) = 0;
    virtual void longMessage(std::span<const uint8_t> bytes) = 0;
    virtual void reset() = 0;
    // On a device that caches patches: loads (or lets go of) the programs, or the percussion
    // keys, whose masks are non-zero. Devices that hold every patch ignore it.
    virtual void cachePatches(bool /*drums*/, std::span<const uint16_t, kMidiPatchCount> /*masks*/, bool /*load*/) {}
};

class MidiBackend {
public:
    virtual ~MidiBackend() = default;
    virtual uint32_t deviceCount() = 0;
    virtual MidiOutCaps caps(uint32_t device) = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<MidiOutPort> open(uint32_t device) = 0;
};

}  // namespace plat
