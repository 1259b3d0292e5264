#include <string>
#include <vector>

#include "engine/ini/IniProfiles.h"
#include "engine/audio/PcmMixSettings.h"

namespace {

constexpr const char* kMixSection = "PcmMix";
constexpr const char* kDeviceInfoSection = "PcmMix.DeviceInfo";
constexpr const char* kPushBufferSection = "DirectSound";
constexpr u16 kListBytes = 4096;
constexpr u16 kValueBytes = 256;

void readFlag(const Path* profile, const char* section, const char* key, bool* flag) {
    u16 value = *flag ? 1 : 0;
    if (iniGetBool(profile, section, key, &value) == kErrNone) *flag = value != 0;
}

}  // namespace

void pcmMixReadSettings(const Path* profile, PcmMixSettings* settings) {
    readFlag(profile, kMixSection, "fEnable", &settings->enable);
    readFlag(profile, kMixSection, "fEnableDeviceMixing", &settings->enableDeviceMixing);
    readFlag(profile, kMixSection, "fEnableRemix", &settings->enableRemix);
    readFlag(profile, kMixSection, "fStereo", &settings->stereo);
    iniGetULong(profile, kMixSection, "ulFrameRate", &settings->frameRate, 0, 0xFFFFFFFF);
    iniGetUShort(profile, kMixSection, "uSampleSize", &settings->sampleSize, 0, 0xFFFF);
    readFlag(profile, kPushBufferSection, "fEnable", &settings->pushBufferEnable);

    std::vector<char> keys(kListBytes, 0);
    if (iniGetString(profile, kDeviceInfoSection, nullptr, keys.data(), kListBytes, "") != kErrNone) return;
    settings->deviceInfo.clear();
    for (const char* key = keys.data(); *key; key += std::string(key).size() + 1) {
        char value[kValueBytes] = {};
        if (iniGetString(profile, kDeviceInfoSection, key, value, kValueBytes, "") == kErrNone)
            settings->deviceInfo.emplace_back(key, value);
    }
}
