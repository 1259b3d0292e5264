#pragma once
// The wave-out device's buffer settings from one [PcmMix.DeviceInfo] value: "not supported",
// or up to six numbers (buffers, frames per buffer, lead frames, then start-up fill frames,
// rate and sample size) separated by "," ";" or ":", of which the first three are required.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/EngineTypes.h"

struct MixerDeviceInfo {
    u32 buffers = 16;
    u32 framesPerBuffer = 1024;
    u32 leadFrames = 4096;
    u32 startupFillFrames = 0;
    u32 rateOverride = 0;
    u16 sizeOverride = 0;
    bool notSupported = false;
};

// Applies a value over `info`; false when the value is neither of the two forms (the defaults stay).
bool mixerParseDeviceInfo(const std::string& value, MixerDeviceInfo* info);

// The entry for the device: its product name (ignoring case), else "default"; none gives the defaults.
MixerDeviceInfo mixerFindDeviceInfo(const std::vector<std::pair<std::string, std::string>>& entries,
                                    const std::string& productName);

// Holds the values to a ring that is never empty and a lead that leaves at least one buffer free.
void mixerClampDeviceInfo(MixerDeviceInfo* info, u16 blockAlign);
