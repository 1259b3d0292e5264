#include "contentgen/content/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr int kMaxMs = 10000;

struct Noise {
    u32 state;
    double next() {
        state = state * 1103515245u + 12345u;
        return double((state >> 9) & 0x3FFFFF) / double(0x200000) - 1.0;
    }
};

double env(double t, double attack, double decay) {
    return (t < attack ? t / attack : 1.0) * std::exp(-t / decay);
}

// The parts sounded together, each from its "at" (ms); what runs past the end is cut off.
void mixParts(const nlohmann::json& parts, std::vector<double>& out) {
    for (const nlohmann::json& part : parts) {
        const int at = part.value("at", 0);
        if (at < 0 || at > kMaxMs) throw std::invalid_argument("sound part outside 0..10000 ms");
        const size_t start = size_t(at) * kSynthRate / 1000;
        const std::vector<i16> samples = synthesizeSound(part);
        for (size_t i = 0; i < samples.size() && start + i < out.size(); ++i) out[start + i] += samples[i] / 32767.0;
    }
}

}  // namespace

std::vector<i16> synthesizeSound(const nlohmann::json& spec) {
    const std::string kind = spec.at("synth").get<std::string>();
    const int ms = spec.value("ms", 200);
    if (ms < 1 || ms > kMaxMs) throw std::invalid_argument("sound length outside 1..10000 ms");
    const double freq = spec.value("freq", 880.0), to = spec.value("to", freq * 2), gain = spec.value("gain", 0.6);
    const size_t n = size_t(ms) * kSynthRate / 1000;
    Noise noise{spec.value("seed", 7u)};
    std::vector<double> out(n, 0.0);
    const bool mixed = kind == "mix";
    if (mixed) mixParts(spec.at("parts"), out);
    double phase = 0, low = 0, band = 0;
    for (size_t i = 0; i < n && !mixed; ++i) {
        const double t = double(i) / kSynthRate, span = double(ms) / 1000, x = t / span;
        double v = 0;
        if (kind == "click") {
            v = noise.next() * std::exp(-t / 0.002) + std::sin(kTwoPi * freq * t) * std::exp(-t / 0.01);
        } else if (kind == "pop") {
            const double f = freq * (1.6 - 0.6 * x);
            phase += kTwoPi * f / kSynthRate;
            v = std::sin(phase) * env(t, 0.002, span / 4);
        } else if (kind == "chime") {
            for (const auto& [ratio, weight] : {std::pair{1.0, 1.0}, {2.76, 0.5}, {5.4, 0.25}, {8.93, 0.12}})
                v += weight * std::sin(kTwoPi * freq * ratio * t) * std::exp(-t * ratio / (span / 2));
            v *= env(t, 0.003, 1e9) * 0.55;
        } else if (kind == "blip") {
            const double f = freq * std::pow(to / freq, x);
            phase += kTwoPi * f / kSynthRate;
            v = (std::sin(phase) + 0.3 * std::sin(2 * phase)) * env(t, 0.004, span / 2.5) * 0.8;
        } else if (kind == "whoosh") {
            // A band of noise sweeping up and back, louder in the middle.
            const double centre = freq * (1 + 2 * std::sin(x * kTwoPi / 2));
            const double f = 2 * std::sin(kTwoPi * std::min(centre, 5000.0) / kSynthRate / 2);
            const double high = noise.next() - low - 0.5 * band;
            band += f * high;
            low += f * band;
            v = band * std::sin(x * kTwoPi / 2) * 0.9;
        } else if (kind == "scribble") {
            // Pencil on paper: scratchy noise, pulsing with the strokes.
            const double stroke = 0.55 + 0.45 * std::sin(kTwoPi * 7 * t);
            const double f = 0.45;
            const double high = noise.next() - low - 0.3 * band;
            band += f * high;
            low += f * band;
            v = high * 0.35 * stroke * env(t, 0.02, 1e9) * std::min(1.0, (1 - x) * 8);
        } else if (kind == "sparkle") {
            for (int k = 0; k < 5; ++k) {
                const double start = span * k / 6;
                if (t >= start) v += std::sin(kTwoPi * freq * (1 + 0.25 * k) * (t - start)) * std::exp(-(t - start) / 0.05);
            }
            v *= 0.35;
        } else if (kind == "buzz") {
            phase += kTwoPi * freq / kSynthRate;
            v = (std::fmod(phase / kTwoPi, 1.0) * 2 - 1) * 0.4 * env(t, 0.005, span / 2) * (0.7 + 0.3 * std::sin(kTwoPi * 12 * t));
        } else {
            throw std::invalid_argument("unknown sound kind " + kind);
        }
        out[i] = v;
    }
    // Short fades keep the ends from clicking.
    const size_t fade = std::min<size_t>(n / 2, kSynthRate / 500);
    for (size_t i = 0; i < fade; ++i) {
        out[i] *= double(i) / double(fade);
        out[n - 1 - i] *= double(i) / double(fade);
    }
    std::vector<i16> samples(n);
    for (size_t i = 0; i < n; ++i) samples[i] = i16(std::lround(std::clamp(out[i] * gain, -1.0, 1.0) * 32767));
    return samples;
}
