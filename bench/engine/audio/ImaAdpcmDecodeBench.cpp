// IMA ADPCM decoding in frames per second, beside a naive decoder that works every nibble
// out from the step arithmetic, and memcpy of the decoded bytes (the floor any decoder pays
// to write its output). Frame counts come from the command line's arguments.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "engine/audio/format/ImaAdpcm.h"

namespace {

struct Input {
    explicit Input(u32 frames, u16 channels) : frames(frames), channels(channels), data(imaBytesForFrames(frames, channels)) {
        std::mt19937 random(3);
        for (u8& b : data) b = u8(random());
    }
    u32 frames;
    u16 channels;
    std::vector<u8> data;
};

i16 naiveNibble(ImaChannelState& s, u8 nibble) {
    const i32 step = kImaSteps[s.index];
    i32 diff = step >> 3;
    if (nibble & 4) diff += step;
    if (nibble & 2) diff += step >> 1;
    if (nibble & 1) diff += step >> 2;
    const i32 p = std::clamp<i32>(s.predictor + ((nibble & 8) ? -diff : diff), -32768, 32767);
    s.predictor = i16(p);
    s.index = u16(std::clamp<i32>(s.index + kImaIndexChanges[nibble], 0, kImaMaxStepIndex));
    return i16(p);
}

void naiveDecode(const Input& in, i16* out) {
    ImaChannelState s[2] = {};
    for (u32 f = 0; f < in.frames; ++f) {
        if (in.channels == 1) {
            const u8 byte = in.data[f / 2];
            out[f] = naiveNibble(s[0], f % 2 == 0 ? byte >> 4 : byte & 15);
        } else {
            out[2 * f] = naiveNibble(s[0], in.data[f] >> 4);
            out[2 * f + 1] = naiveNibble(s[1], in.data[f] & 15);
        }
    }
}

void setRate(benchmark::State& state, const Input& in) {
    state.SetItemsProcessed(int64_t(state.iterations()) * in.frames);
    state.SetBytesProcessed(int64_t(state.iterations()) * in.frames * in.channels * 2);
}

void Decode(benchmark::State& state) {
    const Input in(u32(state.range(0)), u16(state.range(1)));
    std::vector<i16> out(size_t(in.frames) * in.channels), check(out.size());
    naiveDecode(in, check.data());
    ImaChannelState s[2] = {};
    imaDecode(in.data.data(), false, in.frames, in.channels, s, out.data());
    if (out != check) state.SkipWithError("decoded frames differ from the naive decoder's");
    for (auto _ : state) {
        ImaChannelState states[2] = {};
        imaDecode(in.data.data(), false, in.frames, in.channels, states, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setRate(state, in);
}

void NaiveDecode(benchmark::State& state) {
    const Input in(u32(state.range(0)), u16(state.range(1)));
    std::vector<i16> out(size_t(in.frames) * in.channels);
    for (auto _ : state) {
        naiveDecode(in, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setRate(state, in);
}

void MemcpyOutput(benchmark::State& state) {
    const Input in(u32(state.range(0)), u16(state.range(1)));
    std::vector<i16> from(size_t(in.frames) * in.channels, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * 2);
        benchmark::ClobberMemory();
    }
    if (to != from) state.SkipWithError("copy incomplete");
    setRate(state, in);
}

void sizes(benchmark::internal::Benchmark* b) {
    for (int64_t frames : {4096, 262144})
        for (int64_t channels : {1, 2}) b->Args({frames, channels});
}

BENCHMARK(Decode)->Apply(sizes);
BENCHMARK(NaiveDecode)->Apply(sizes);
BENCHMARK(MemcpyOutput)->Apply(sizes);

}  // namespace
