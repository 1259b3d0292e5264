#include "engine/audio/PcmMixSettings.h"
#include "engine/ini/IniProfiles.h"
#include "engine/ini/IniSection.h"

namespace {

constexpr const char* kMixSection = "PcmMix";
constexpr const char* kDeviceInfoSection = "PcmMix.DeviceInfo";
constexpr const char* kPushBufferSection = "DirectSound";

}  // namespace

void pcmMixReadSettings(const Path* profile, PcmMixSettings* settings) {
    settings->enable = iniReadFlag(profile, kMixSection, "fEnable", settings->enable);
    settings->enableDeviceMixing = iniReadFlag(profile, kMixSection, "fEnableDeviceMixing", settings->enableDeviceMixing);
    settings->enableRemix = iniReadFlag(profile, kMixSection, "fEnableRemix", settings->enableRemix);
    settings->stereo = iniReadFlag(profile, kMixSection, "fStereo", settings->stereo);
    iniGetULong(profile, kMixSection, "ulFrameRate", &settings->frameRate, 0, 0xFFFFFFFF);
    iniGetUShort(profile, kMixSection, "uSampleSize", &settings->sampleSize, 0, 0xFFFF);
    settings->pushBufferEnable = iniReadFlag(profile, kPushBufferSection, "fEnable", settings->pushBufferEnable);

    IniPairs deviceInfo = iniReadSection(profile, kDeviceInfoSection);
    if (!deviceInfo.empty()) settings->deviceInfo = std::move(deviceInfo);
}
