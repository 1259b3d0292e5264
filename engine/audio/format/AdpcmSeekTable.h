#pragma once
// The "ADPC" chunk of an IMA ADPCM wave: decoder states at known frames, so that decoding can
// start near any frame. u16 entry count, u16 channels c, then per entry a u32 frame and c
// states of s16 predictor and u16 step index. The first entry describes frame 0.
#include <array>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kImaMaxStepIndex = 88;

struct ImaChannelState {
    i16 predictor = 0;
    u16 index = 0;
    bool operator==(const ImaChannelState&) const = default;
};

struct AdpcmSeekEntry {
    u32 frame = 0;
    std::array<ImaChannelState, 2> channels{};
    bool operator==(const AdpcmSeekEntry&) const = default;
};

// False when the data is shorter than its count says or names other than 1 or 2 channels.
// Step indexes past the table are clamped to its last entry.
bool parseAdpcmSeekTable(std::span<const u8> data, u16 channels, std::vector<AdpcmSeekEntry>* entries);
std::vector<u8> writeAdpcmSeekTable(std::span<const AdpcmSeekEntry> entries, u16 channels);
