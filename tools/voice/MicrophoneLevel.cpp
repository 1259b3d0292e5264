#include "tools/voice/MicrophoneLevel.h"

#include <algorithm>
#include <array>

float levelFromPeak(u16 peak) { return std::min(1.0f, float(peak) / float(kShoutPeak)); }

MicrophoneLevel::MicrophoneLevel() : hearing_(input_.Start() == 0) {}

MicrophoneLevel::~MicrophoneLevel() {
    if (hearing_) input_.Stop();
}

float MicrophoneLevel::Level() {
    if (!hearing_) return -1;
    std::array<u16, 512> spectrum{};
    u16 peak = 0, peakIndex = 0;
    if (input_.GetSpectrum(spectrum.data(), u32(spectrum.size()), &peak, &peakIndex) == 0) last_ = levelFromPeak(peak);
    return last_;
}
