#pragma once
// The audio module's settings as the engine INI gives them: the [Audio] keys, the rate
// translations, the MIDI map's sections and the mixer's. Read once by audioInit.
#include <optional>
#include <string>

#include "engine/audio/PcmMixSettings.h"
#include "engine/base/EngineTypes.h"
#include "engine/files/Paths.h"
#include "engine/ini/IniSection.h"

struct MidiMapSettings {
    bool enableHardReset = false;
    IniPairs targetDevices;     // [MidiMap.TargetDevices]: device name (with version) = target id
    IniPairs targetDeviceInfo;  // [MidiMap.TargetDeviceInfo]: target id = channel map and numbers
};

struct AudioSettings {
    bool enableMidi = true;
    bool translateWaveRateOnError = false;
    bool cacheDefaultMidiDevice = false;
    std::optional<std::string> defaultMidiDevice;
    std::optional<std::string> defaultWaveDevice;
    IniPairs waveRateTranslations;  // [Audio.WaveRateTranslations]: rate = rate
    MidiMapSettings midi;
    PcmMixSettings mixer;
};

// Fills the settings from a profile (null: the engine INI); missing keys keep the defaults.
void audioReadSettings(const Path* profile, AudioSettings* settings);
