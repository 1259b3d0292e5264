// Each mixer kernel in samples per second, beside memcpy (the copy fast paths) and a naive
// int32 add-and-clamp loop (the mix paths) run on the same buffers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "engine/audio/PcmMixKernels.h"

namespace {

constexpr u32 kSamples = 4096;

struct Buffers {
    Buffers() : source(kSamples * 4), destination(kSamples * 4), table(256) {
        std::mt19937 random(7);
        for (u8& b : source) b = u8(random());
        for (u8& b : destination) b = u8(random());
        std::iota(table.begin(), table.end(), 0);
    }
    std::vector<u8> source;
    std::vector<u8> destination;
    std::vector<u8> table;
};

void setRate(benchmark::State& state) {
    state.SetItemsProcessed(int64_t(state.iterations()) * kSamples);
}

void runKernel(benchmark::State& state, PcmMixSampleKernel kernel, u32 destinationStride, u32 sourceStride,
               Fixed step, Fixed gain, u16 identity) {
    Buffers b;
    for (auto _ : state) {
        kernel(b.destination.data(), b.source.data(), kSamples, destinationStride, sourceStride, step, gain, identity,
               b.table.data());
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void Memcpy8(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        std::memcpy(b.destination.data(), b.source.data(), kSamples);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void Memcpy16(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        std::memcpy(b.destination.data(), b.source.data(), kSamples * 2);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void NaiveAddClamp8(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        for (u32 i = 0; i < kSamples; ++i) {
            const i32 sum = i32(b.destination[i]) - 128 + i32(b.source[i]) - 128;
            b.destination[i] = u8(std::clamp(sum, -128, 127) + 128);
        }
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void NaiveAddClamp16(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        i16* d = reinterpret_cast<i16*>(b.destination.data());
        const i16* s = reinterpret_cast<const i16*>(b.source.data());
        for (u32 i = 0; i < kSamples; ++i) d[i] = i16(std::clamp(i32(d[i]) + i32(s[i]), -32768, 32767));
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void Copy8Identity(benchmark::State& s) { runKernel(s, pcmMixKernelCopy8, 1, 1, kFixedOne, kFixedOne, 1); }
void Copy8Scaled(benchmark::State& s) { runKernel(s, pcmMixKernelCopy8, 1, 1, kFixedOne, 0x8000, 0); }
void Copy8Resampled(benchmark::State& s) { runKernel(s, pcmMixKernelCopy8, 1, 1, 0x18000, kFixedOne, 0); }
void Copy8To16(benchmark::State& s) { runKernel(s, pcmMixKernelCopy8To16, 2, 1, kFixedOne, kFixedOne, 1); }
void Copy16Native(benchmark::State& s) { runKernel(s, pcmMixKernelCopy16Native, 2, 2, kFixedOne, kFixedOne, 0); }
void Copy16Swapped(benchmark::State& s) { runKernel(s, pcmMixKernelCopy16Swapped, 2, 2, kFixedOne, kFixedOne, 0); }
void Copy16Scaled(benchmark::State& s) { runKernel(s, pcmMixKernelCopy16Native, 2, 2, kFixedOne, 0x8000, 0); }
void Mix8(benchmark::State& s) { runKernel(s, pcmMixKernelMix8, 1, 1, kFixedOne, kFixedOne, 1); }
void Mix8To16(benchmark::State& s) { runKernel(s, pcmMixKernelMix8To16, 2, 1, kFixedOne, kFixedOne, 1); }
void Mix16Native(benchmark::State& s) { runKernel(s, pcmMixKernelMix16Native, 2, 2, kFixedOne, 0xC000, 0); }
void Mix16Swapped(benchmark::State& s) { runKernel(s, pcmMixKernelMix16Swapped, 2, 2, kFixedOne, 0xC000, 0); }

void FillBytes(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        pcmMixKernelFillBytes(b.destination.data(), kSilence8, kSamples);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void FillWords(benchmark::State& state) {
    Buffers b;
    for (auto _ : state) {
        pcmMixKernelFillWords(b.destination.data(), kSilence16, kSamples);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

BENCHMARK(Memcpy8);
BENCHMARK(Copy8Identity);
BENCHMARK(Copy8Scaled);
BENCHMARK(Copy8Resampled);
BENCHMARK(Copy8To16);
BENCHMARK(FillBytes);
BENCHMARK(Memcpy16);
BENCHMARK(Copy16Native);
BENCHMARK(Copy16Swapped);
BENCHMARK(Copy16Scaled);
BENCHMARK(FillWords);
BENCHMARK(NaiveAddClamp8);
BENCHMARK(Mix8);
BENCHMARK(Mix8To16);
BENCHMARK(NaiveAddClamp16);
BENCHMARK(Mix16Native);
BENCHMARK(Mix16Swapped);

}  // namespace
