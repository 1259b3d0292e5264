#pragma once
// A sliding-window spectrum: the newest N samples (N a power of two) transformed by an
// in-place radix-2 decimation-in-time FFT whose bit-reversal and per-stage twiddle tables are
// built once. Each feed shifts the window by the samples given. Magnitudes are scaled down
// to small whole numbers (|X| / N / 256) that the voice-driven brushes steer by; running
// statistics of the peaks and secondary bins are kept across spectra.
#include <complex>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr u16 kSpectrumRefused = 0xFFFF;

struct SpectrumStatistics {
    u16 lowestSecondaryIndex = 0xFFFF;
    u16 highestSecondaryIndex = 0;
    u16 lowestSecondaryMagnitude = 0xFFFF;
    u16 highestPeak = 0;
};

class SpectrumAnalyser {
public:
    SpectrumAnalyser(u32 points, u32 sampleRate);

    u32 Bins() const { return points_ / 2; }
    // The bin nearest to a frequency.
    u32 BinFor(double hertz) const;

    // Appends `count` samples to the window (dropping the oldest) and lays the window out
    // in bit-reversed order for the transform; busy until the transform ends.
    void Feed(const i16* samples, u32 count);
    void Transform();
    bool Busy() const { return busy_; }
    const std::vector<std::complex<double>>& Result() const { return work_; }

    // Writes the magnitudes of the first min(capacity, bins) bins and the peak (the first of
    // equal maxima); kSpectrumRefused while busy (nothing is written) or when the capacity
    // is below the bin count.
    u16 Spectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex);
    const SpectrumStatistics& Statistics() const { return statistics_; }

private:
    u32 points_;
    u32 sampleRate_;
    bool busy_ = false;
    std::vector<double> window_;
    std::vector<u32> reversed_;
    std::vector<std::complex<double>> work_;
    // Stage s (span m = 2^s) keeps its m/2 twiddles from offset m/2 - 1.
    std::vector<std::complex<double>> twiddles_;
    SpectrumStatistics statistics_;
};
