#pragma once
// The mixer's settings as the engine INI gives them: the [PcmMix] keys, the [DirectSound]
// keys, and the raw [PcmMix.DeviceInfo] entries (key, value) in file order. Read once at the
// mixer's start-up; nothing changes them afterwards except pcmMixEnable and pcmMixEnableRemix.
#include <string>
#include <utility>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"

struct PcmMixSettings {
    bool enable = true;
    bool enableDeviceMixing = false;
    bool enableRemix = true;
    bool stereo = false;
    u32 frameRate = 22050;
    u16 sampleSize = 8;
    // [DirectSound] fEnable: the push-buffer device kind is used where the platform offers it.
    bool pushBufferEnable = true;
    std::vector<std::pair<std::string, std::string>> deviceInfo;
    // Device threads poll on their own; tests turn this off and drive pcmMixPollDevices by hand.
    bool runDeviceThreads = true;
};

// Fills the settings from a profile (null: the engine INI); keys that are missing or out of
// range keep their defaults.
void pcmMixReadSettings(const Path* profile, PcmMixSettings* settings);
