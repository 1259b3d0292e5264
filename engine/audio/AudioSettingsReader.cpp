#include <string>
#include <vector>

#include "engine/audio/AudioSettings.h"
#include "engine/ini/IniProfiles.h"

namespace {

constexpr const char* kAudioSection = "Audio";
constexpr const char* kRateSection = "Audio.WaveRateTranslations";
constexpr const char* kMidiMapSection = "MidiMap";
constexpr const char* kTargetDevicesSection = "MidiMap.TargetDevices";
constexpr const char* kTargetInfoSection = "MidiMap.TargetDeviceInfo";
constexpr u16 kListBytes = 2048;
constexpr u16 kValueBytes = 65;
constexpr u16 kDeviceNameBytes = 32;

void readFlag(const Path* profile, const char* section, const char* key, bool* flag) {
    u16 value = *flag ? 1 : 0;
    if (iniGetBool(profile, section, key, &value) == kErrNone) *flag = value != 0;
}

// A value cut short by its buffer still counts.
std::optional<std::string> readValue(const Path* profile, const char* section, const char* key, u16 size) {
    std::vector<char> value(size, 0);
    const EngineErr err = iniGetString(profile, section, key, value.data(), size, "");
    if (err != kErrNone && err != kIniErrTooLong) return std::nullopt;
    return std::string(value.data());
}

IniEntries readSection(const Path* profile, const char* section) {
    IniEntries entries;
    std::vector<char> keys(kListBytes, 0);
    const EngineErr err = iniGetString(profile, section, nullptr, keys.data(), kListBytes, "");
    if (err != kErrNone && err != kIniErrTooLong) return entries;
    keys.back() = 0;
    for (const char* key = keys.data(); *key; key += std::string(key).size() + 1) {
        if (auto value = readValue(profile, section, key, kValueBytes)) entries.emplace_back(key, *value);
    }
    return entries;
}

}  // namespace

void audioReadSettings(const Path* profile, AudioSettings* settings) {
    readFlag(profile, kAudioSection, "fEnableMidi", &settings->enableMidi);
    readFlag(profile, kAudioSection, "fTranslateWaveRateOnError", &settings->translateWaveRateOnError);
    readFlag(profile, kAudioSection, "fCacheDefaultMidiDevice", &settings->cacheDefaultMidiDevice);
    settings->defaultMidiDevice = readValue(profile, kAudioSection, "DefaultMidiDevice", kDeviceNameBytes);
    settings->defaultWaveDevice = readValue(profile, kAudioSection, "DefaultWaveDevice", kDeviceNameBytes);
    settings->waveRateTranslations = readSection(profile, kRateSection);
    readFlag(profile, kMidiMapSection, "fEnableHardReset", &settings->midi.enableHardReset);
    settings->midi.targetDevices = readSection(profile, kTargetDevicesSection);
    settings->midi.targetDeviceInfo = readSection(profile, kTargetInfoSection);
    pcmMixReadSettings(profile, &settings->mixer);
}
