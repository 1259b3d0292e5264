#include "engine/audio/WaveRateTranslation.h"

#include <string>

#include "engine/audio/AudioDeviceEntry.h"

u32 waveTranslateRate(u32 rate, u32 baseRate, const IniPairs& translations) {
    if (baseRate == 0 || rate % baseRate == 0) return rate;
    const std::string key = std::to_string(rate);
    for (const auto& [k, value] : translations) {
        if (k != key) continue;
        u32 translated = 0;
        // An 8-byte value: a longer one is cut, as it was read.
        if (audioParseDeviceNumber(std::string_view(value).substr(0, 7), 0xFFFFFF, &translated) && translated != 0)
            return translated;
        return rate;
    }
    return rate;
}

u16 waveOpenTranslated(PcmMixHandle* handle, u16 deviceId, plat::WaveFormat format, bool nativeOrder,
                       bool translateOnlyOnError, const IniPairs& translations, PcmMixCallback callback,
                       uintptr_t instance) {
    const u32 flags = kPcmMixCallbackFunction | (nativeOrder ? kPcmMixNativeOrder : 0);
    if (translateOnlyOnError || format.formatTag != plat::kWaveFormatPcm) {
        const u16 result = pcmMixOpen(handle, deviceId, &format, callback, instance, flags);
        if (result != plat::kWaveErrBadFormat) return result;
    }
    PcmMixDevCaps caps;
    if (pcmMixGetDevCaps(deviceId, &caps, kPcmMixDevCapsExtendedSize) == plat::kMmNoError) {
        const u32 rate = waveTranslateRate(format.samplesPerSec, caps.baseRate, translations);
        if (rate != format.samplesPerSec) {
            format.samplesPerSec = rate;
            format.avgBytesPerSec = u32(format.blockAlign) * rate;
        }
    }
    return pcmMixOpen(handle, deviceId, &format, callback, instance, flags);
}
