// IMA ADPCM encoding in frames per second, beside a naive encoder that tries all sixteen
// codes for every sample and keeps the one whose reconstruction comes nearest. Both outputs
// are decoded and must keep a 20 dB signal-to-noise ratio. The lengths (seconds of 44.1 kHz
// audio) and channel counts are the benchmark's arguments.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/audio/format/ImaAdpcm.h"
#include "sound/import/ImaEncoder.h"

namespace {

constexpr u32 kRate = 44100;

std::vector<i16> music(u32 frames, u16 channels) {
    std::vector<i16> out(size_t(frames) * channels);
    for (u32 f = 0; f < frames; ++f)
        for (u16 c = 0; c < channels; ++c)
            out[size_t(f) * channels + c] = i16(std::lround(
                9000 * std::sin(2 * M_PI * 220 * (c + 1) * f / kRate) + 3000 * std::sin(2 * M_PI * 1375 * f / kRate)));
    return out;
}

u8 naiveCode(ImaChannelState& s, i16 sample) {
    u8 best = 0;
    i32 bestError = INT32_MAX;
    for (u8 code = 0; code < 16; ++code) {
        const i32 p = std::clamp<i32>(s.predictor + imaDifference(s.index, code), -32768, 32767);
        if (std::abs(p - sample) < bestError) {
            bestError = std::abs(p - sample);
            best = code;
        }
    }
    s.predictor = i16(std::clamp<i32>(s.predictor + imaDifference(s.index, best), -32768, 32767));
    s.index = u16(std::clamp<i32>(s.index + kImaIndexChanges[best], 0, kImaMaxStepIndex));
    return best;
}

void naiveEncode(const std::vector<i16>& samples, u16 channels, std::vector<u8>* out) {
    const u32 frames = u32(samples.size() / channels);
    out->assign(imaBytesForFrames(frames, channels), 0);
    ImaChannelState s[2];
    for (u32 f = 0; f < frames; ++f) {
        if (channels == 2) {
            (*out)[f] = u8(naiveCode(s[0], samples[2 * size_t(f)]) << 4 | naiveCode(s[1], samples[2 * size_t(f) + 1]));
        } else {
            const u8 code = naiveCode(s[0], samples[f]);
            (*out)[f / 2] |= (f & 1) ? code : u8(code << 4);
        }
    }
}

bool decodesClearly(const std::vector<i16>& samples, u16 channels, const std::vector<u8>& codes) {
    const u32 frames = u32(samples.size() / channels);
    std::vector<i16> back(samples.size());
    ImaChannelState s[2];
    imaDecode(codes.data(), false, frames, channels, s, back.data());
    double signal = 0, noise = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        signal += double(samples[i]) * samples[i];
        noise += std::pow(double(samples[i]) - back[i], 2);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0)) > 20;
}

void rate(benchmark::State& state, u32 frames) { state.SetItemsProcessed(int64_t(state.iterations()) * frames); }

void Encode(benchmark::State& state) {
    const u32 frames = u32(state.range(0)) * kRate;
    const u16 channels = u16(state.range(1));
    const std::vector<i16> samples = music(frames, channels);
    std::vector<AdpcmSeekEntry> states;
    std::vector<u8> codes;
    const u32 stateFrames[] = {0};
    for (auto _ : state) {
        imaEncode(samples, channels, stateFrames, &states, &codes);
        benchmark::DoNotOptimize(codes.data());
    }
    if (!decodesClearly(samples, channels, codes)) state.SkipWithError("encoded sound does not decode clearly");
    rate(state, frames);
}

void NaiveEncode(benchmark::State& state) {
    const u32 frames = u32(state.range(0)) * kRate;
    const u16 channels = u16(state.range(1));
    const std::vector<i16> samples = music(frames, channels);
    std::vector<u8> codes;
    for (auto _ : state) {
        naiveEncode(samples, channels, &codes);
        benchmark::DoNotOptimize(codes.data());
    }
    if (!decodesClearly(samples, channels, codes)) state.SkipWithError("encoded sound does not decode clearly");
    rate(state, frames);
}

BENCHMARK(Encode)->Args({60, 2})->Args({10, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(NaiveEncode)->Args({60, 2})->Args({10, 1})->Unit(benchmark::kMillisecond);

}  // namespace
