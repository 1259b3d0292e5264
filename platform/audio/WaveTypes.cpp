#include "platform/audio/WaveTypes.h"

namespace plat {

WaveFormat makePcmFormat(uint32_t rate, uint16_t channels, uint16_t bits) {
    WaveFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = bits;
    format.blockAlign = uint16_t(channels * bits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    return format;
}

bool isPlayablePcm(const WaveFormat& format) {
    return format.formatTag == kWaveFormatPcm && format.samplesPerSec != 0 &&
           (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.blockAlign == format.channels * format.bitsPerSample / 8;
}

}  // namespace plat
