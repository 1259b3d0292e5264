#include <vector>

#include "engine/audio/AudioSettings.h"
#include "engine/ini/IniProfiles.h"

namespace {

constexpr const char* kAudioSection = "Audio";
constexpr const char* kRateSection = "Audio.WaveRateTranslations";
constexpr const char* kMidiMapSection = "MidiMap";
constexpr const char* kTargetDevicesSection = "MidiMap.TargetDevices";
constexpr const char* kTargetInfoSection = "MidiMap.TargetDeviceInfo";
constexpr u16 kDeviceNameBytes = 32;

// A device name cut short by its buffer still counts.
std::optional<std::string> readDeviceName(const Path* profile, const char* key) {
    std::vector<char> value(kDeviceNameBytes, 0);
    const EngineErr err = iniGetString(profile, kAudioSection, key, value.data(), kDeviceNameBytes, "");
    if (err != kErrNone && err != kIniErrTooLong) return std::nullopt;
    return std::string(value.data());
}

}  // namespace

void audioReadSettings(const Path* profile, AudioSettings* settings) {
    settings->enableMidi = iniReadFlag(profile, kAudioSection, "fEnableMidi", settings->enableMidi);
    settings->translateWaveRateOnError =
        iniReadFlag(profile, kAudioSection, "fTranslateWaveRateOnError", settings->translateWaveRateOnError);
    settings->cacheDefaultMidiDevice =
        iniReadFlag(profile, kAudioSection, "fCacheDefaultMidiDevice", settings->cacheDefaultMidiDevice);
    settings->defaultMidiDevice = readDeviceName(profile, "DefaultMidiDevice");
    settings->defaultWaveDevice = readDeviceName(profile, "DefaultWaveDevice");
    settings->waveRateTranslations = iniReadSection(profile, kRateSection);
    settings->midi.enableHardReset = iniReadFlag(profile, kMidiMapSection, "fEnableHardReset", settings->midi.enableHardReset);
    settings->midi.targetDevices = iniReadSection(profile, kTargetDevicesSection);
    settings->midi.targetDeviceInfo = iniReadSection(profile, kTargetInfoSection);
    pcmMixReadSettings(profile, &settings->mixer);
}
