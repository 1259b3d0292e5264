#include "sound/record/SpectrumAnalyser.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMagnitudeScale = 1.0 / 256.0;

}  // namespace

SpectrumAnalyser::SpectrumAnalyser(u32 points, u32 sampleRate)
    : points_(points), sampleRate_(sampleRate), window_(points), reversed_(points), work_(points), twiddles_(points) {
    u32 bits = 0;
    while ((1u << bits) < points_) ++bits;
    for (u32 i = 0; i < points_; ++i) {
        u32 r = 0;
        for (u32 b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
        reversed_[i] = r;
    }
    for (u32 m = 2; m <= points_; m <<= 1)
        for (u32 k = 0; k < m / 2; ++k)
            twiddles_[m / 2 - 1 + k] = std::polar(1.0, -2.0 * std::numbers::pi * double(k) / double(m));
}

u32 SpectrumAnalyser::BinFor(double hertz) const { return u32(std::lround(hertz * points_ / sampleRate_)); }

void SpectrumAnalyser::Feed(const i16* samples, u32 count) {
    count = std::min(count, points_);
    std::move(window_.begin() + count, window_.end(), window_.begin());
    for (u32 i = 0; i < count; ++i) window_[points_ - count + i] = samples[i];
    for (u32 i = 0; i < points_; ++i) work_[reversed_[i]] = {window_[i], 0.0};
    busy_ = true;
}

void SpectrumAnalyser::Transform() {
    std::complex<double>* x = work_.data();
    for (u32 m = 2; m <= points_; m <<= 1) {
        const u32 half = m / 2;
        const std::complex<double>* w = &twiddles_[half - 1];
        for (u32 j = 0; j < points_; j += m) {
            for (u32 k = 0; k < half; ++k) {
                const std::complex<double> t = w[k] * x[j + k + half];
                x[j + k + half] = x[j + k] - t;
                x[j + k] += t;
            }
        }
    }
    busy_ = false;
}

u16 SpectrumAnalyser::Spectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex) {
    if (busy_) return kSpectrumRefused;
    *peak = 0;
    *peakIndex = 0;
    u16 lowMagnitude = 0xFFFF, lowIndex = 0xFFFF, highIndex = 0;
    bool replaced = false;
    const u32 bins = std::min(capacity, Bins());
    for (u32 i = 0; i < bins; ++i) {
        const double scaled = std::abs(work_[i]) / double(points_) * kMagnitudeScale;
        const u16 m = u16(std::min(scaled, 65535.0));
        out[i] = m;
        if (m > *peak) {
            if (*peak != 0 && !replaced) {
                lowMagnitude = *peak;
                lowIndex = u16(i);
                replaced = true;
            }
            *peak = m;
            *peakIndex = u16(i);
        } else if (m != 0) {
            if (m < lowMagnitude) lowMagnitude = m;
            else if (i < lowIndex) lowIndex = u16(i);
            else if (i > highIndex) highIndex = u16(i);
        }
    }
    statistics_.lowestSecondaryIndex = std::min(statistics_.lowestSecondaryIndex, lowIndex);
    statistics_.highestSecondaryIndex = std::max(statistics_.highestSecondaryIndex, highIndex);
    statistics_.lowestSecondaryMagnitude = std::min(statistics_.lowestSecondaryMagnitude, lowMagnitude);
    statistics_.highestPeak = std::max(statistics_.highestPeak, *peak);
    return capacity < Bins() ? kSpectrumRefused : kErrNone;
}
