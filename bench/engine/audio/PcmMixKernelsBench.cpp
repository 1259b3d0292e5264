// Each mixer kernel in samples per second, beside memcpy (the copy paths), a naive int32
// add-and-clamp loop (the mix paths) and the portable kernel of the same slot, all on the same
// buffers. The sample count is an argument, so no copy is specialised for a size known when
// compiling. Every kernel benchmark first checks its kernel's samples against the portable one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include "engine/audio/PcmMixKernels.h"
#include "engine/audio/PcmMixPasses.h"
#include "engine/audio/PcmMixVectorKernels.h"

namespace {

constexpr i64 kSamples = 4096;
constexpr size_t kPage = 4096;

struct PageFree {
    void operator()(u8* p) const { std::free(p); }
};
using PageBuffer = std::unique_ptr<u8[], PageFree>;

PageBuffer pageBuffer(size_t bytes) {
    return PageBuffer(static_cast<u8*>(std::aligned_alloc(kPage, (bytes + kPage - 1) / kPage * kPage)));
}

// Both buffers start on a page: a destination a few bytes past the source within a page
// sends some processors' string-copy instruction, which the C library's memcpy uses at these
// sizes, down a path many times slower, and the reference would then measure that placement.
struct Buffers {
    explicit Buffers(u32 samples, Fixed gain = kFixedOne)
        : bytes(size_t(samples) * 4), source(pageBuffer(bytes)), destination(pageBuffer(bytes)) {
        std::mt19937 random(7);
        for (size_t i = 0; i < bytes; ++i) source[i] = u8(random());
        for (size_t i = 0; i < bytes; ++i) destination[i] = u8(random());
        passes.pass[0].gain = gain;
        pcmMixBuildPassTables(passes, 8);
    }
    size_t bytes;
    PageBuffer source;
    PageBuffer destination;
    PcmMixPassSet passes;
};

void setRate(benchmark::State& state) { state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0)); }

struct KernelCase {
    u8 slot;
    u32 destinationStride;
    u32 sourceStride;
    Fixed step;
    Fixed gain;
};

// One call of the measured and of the portable kernel on equal buffers: equal results or the
// benchmark is marked failed.
bool sameAsPortable(benchmark::State& state, const PcmMixKernelTable& table, const KernelCase& k, u32 samples) {
    Buffers measured(samples, k.gain), portable(samples, k.gain);
    const PcmMixPass& pass = measured.passes.pass[0];
    table.sample[k.slot](measured.destination.get(), measured.source.get(), samples, k.destinationStride,
                         k.sourceStride, k.step, k.gain, pass.identity, pass.table);
    pcmMixPortableKernels().sample[k.slot](portable.destination.get(), portable.source.get(), samples,
                                           k.destinationStride, k.sourceStride, k.step, k.gain, pass.identity,
                                           pass.table);
    if (std::memcmp(measured.destination.get(), portable.destination.get(), measured.bytes) == 0) return true;
    state.SkipWithError("the kernel's samples differ from the portable kernel's");
    return false;
}

void runKernel(benchmark::State& state, const PcmMixKernelTable& table, const KernelCase& k) {
    const u32 samples = u32(state.range(0));
    if (!sameAsPortable(state, table, k, samples)) return;
    Buffers b(samples, k.gain);
    const PcmMixSampleKernel kernel = table.sample[k.slot];
    const PcmMixPass& pass = b.passes.pass[0];
    for (auto _ : state) {
        kernel(b.destination.get(), b.source.get(), samples, k.destinationStride, k.sourceStride, k.step, k.gain,
               pass.identity, pass.table);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void memcpyBytes(benchmark::State& state, size_t bytesPerSample) {
    const size_t bytes = size_t(state.range(0)) * bytesPerSample;
    Buffers b(u32(state.range(0)));
    for (auto _ : state) {
        std::memcpy(b.destination.get(), b.source.get(), bytes);
        benchmark::ClobberMemory();
    }
    if (std::memcmp(b.destination.get(), b.source.get(), bytes) != 0) state.SkipWithError("memcpy copied wrongly");
    setRate(state);
}

void Memcpy8(benchmark::State& state) { memcpyBytes(state, 1); }
void Memcpy16(benchmark::State& state) { memcpyBytes(state, 2); }

void naiveAddClamp8(u8* d, const u8* s, u32 samples) {
    for (u32 i = 0; i < samples; ++i) {
        const i32 sum = i32(d[i]) - 128 + i32(s[i]) - 128;
        d[i] = u8(std::clamp(sum, -128, 127) + 128);
    }
}

void naiveAddClamp16(u8* destination, const u8* source, u32 samples) {
    i16* d = reinterpret_cast<i16*>(destination);
    const i16* s = reinterpret_cast<const i16*>(source);
    for (u32 i = 0; i < samples; ++i) d[i] = i16(std::clamp(i32(d[i]) + i32(s[i]), -32768, 32767));
}

// A naive loop is a fair reference only while it mixes as the kernels do: one pass of it and
// of the portable kernel at unity gain on equal buffers give equal samples, or the benchmark
// is marked failed.
void runNaive(benchmark::State& state, void (*naive)(u8*, const u8*, u32), u8 slot, u32 stride) {
    const u32 samples = u32(state.range(0));
    Buffers naiveBuffers(samples), portable(samples);
    const PcmMixPass& pass = portable.passes.pass[0];
    naive(naiveBuffers.destination.get(), naiveBuffers.source.get(), samples);
    pcmMixPortableKernels().sample[slot](portable.destination.get(), portable.source.get(), samples, stride, stride,
                                         kFixedOne, kFixedOne, pass.identity, pass.table);
    if (std::memcmp(naiveBuffers.destination.get(), portable.destination.get(), portable.bytes) != 0) {
        state.SkipWithError("the naive loop's samples differ from the portable kernel's");
        return;
    }
    Buffers b(samples);
    for (auto _ : state) {
        naive(b.destination.get(), b.source.get(), samples);
        benchmark::ClobberMemory();
    }
    setRate(state);
}

void NaiveAddClamp8(benchmark::State& state) { runNaive(state, naiveAddClamp8, kKernelMix8, 1); }
void NaiveAddClamp16(benchmark::State& state) { runNaive(state, naiveAddClamp16, kKernelMix16Native, 2); }

constexpr KernelCase kCopy8Identity{kKernelCopy8, 1, 1, kFixedOne, kFixedOne};
constexpr KernelCase kCopy8Scaled{kKernelCopy8, 1, 1, kFixedOne, 0x8000};
constexpr KernelCase kCopy8Resampled{kKernelCopy8, 1, 1, 0x18000, kFixedOne};
constexpr KernelCase kCopy8To16{kKernelCopy8To16, 2, 1, kFixedOne, kFixedOne};
constexpr KernelCase kCopy16Native{kKernelCopy16Native, 2, 2, kFixedOne, kFixedOne};
constexpr KernelCase kCopy16Swapped{kKernelCopy16Swapped, 2, 2, kFixedOne, kFixedOne};
constexpr KernelCase kCopy16Scaled{kKernelCopy16Native, 2, 2, kFixedOne, 0x8000};
constexpr KernelCase kMix8{kKernelMix8, 1, 1, kFixedOne, kFixedOne};
constexpr KernelCase kMix8Scaled{kKernelMix8, 1, 1, kFixedOne, 0xC000};
constexpr KernelCase kMix8To16{kKernelMix8To16, 2, 1, kFixedOne, kFixedOne};
constexpr KernelCase kMix16Native{kKernelMix16Native, 2, 2, kFixedOne, 0xC000};
constexpr KernelCase kMix16Swapped{kKernelMix16Swapped, 2, 2, kFixedOne, 0xC000};

void Chosen(benchmark::State& s, const KernelCase& k) { runKernel(s, pcmMixBuiltInKernels(), k); }
void Portable(benchmark::State& s, const KernelCase& k) { runKernel(s, pcmMixPortableKernels(), k); }
// The levels below the chosen one, which processors without its instructions run (a level
// above the best this processor runs measures the best one's kernels).
void Avx2(benchmark::State& s, const KernelCase& k) { runKernel(s, pcmMixKernelsFor(PcmMixVectorLevel::kAvx2), k); }
void Sse2(benchmark::State& s, const KernelCase& k) { runKernel(s, pcmMixKernelsFor(PcmMixVectorLevel::kSse2), k); }

void FillBytes(benchmark::State& state) {
    const u32 samples = u32(state.range(0));
    Buffers b(samples);
    for (auto _ : state) {
        pcmMixKernelFillBytes(b.destination.get(), kSilence8, samples);
        benchmark::ClobberMemory();
    }
    if (!std::all_of(b.destination.get(), b.destination.get() + samples, [](u8 v) { return v == kSilence8; }))
        state.SkipWithError("the fill left other bytes");
    setRate(state);
}

void FillWords(benchmark::State& state) {
    const u32 samples = u32(state.range(0));
    Buffers b(samples);
    for (auto _ : state) {
        pcmMixKernelFillWords(b.destination.get(), kSilence16, samples);
        benchmark::ClobberMemory();
    }
    if (!std::all_of(b.destination.get(), b.destination.get() + 2 * size_t(samples), [](u8 v) { return v == 0; }))
        state.SkipWithError("the fill left other bytes");
    setRate(state);
}

BENCHMARK(Memcpy8)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy8Identity, kCopy8Identity)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy8Scaled, kCopy8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Copy8Scaled, kCopy8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Avx2, Copy8Scaled, kCopy8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Sse2, Copy8Scaled, kCopy8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy8Resampled, kCopy8Resampled)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy8To16, kCopy8To16)->Arg(kSamples);
BENCHMARK(FillBytes)->Arg(kSamples);
BENCHMARK(Memcpy16)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy16Native, kCopy16Native)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy16Swapped, kCopy16Swapped)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Copy16Swapped, kCopy16Swapped)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Copy16Scaled, kCopy16Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Copy16Scaled, kCopy16Scaled)->Arg(kSamples);
BENCHMARK(FillWords)->Arg(kSamples);
BENCHMARK(NaiveAddClamp8)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Mix8, kMix8)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Mix8, kMix8)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Mix8Scaled, kMix8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Mix8Scaled, kMix8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Avx2, Mix8Scaled, kMix8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Sse2, Mix8Scaled, kMix8Scaled)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Mix8To16, kMix8To16)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Mix8To16, kMix8To16)->Arg(kSamples);
BENCHMARK(NaiveAddClamp16)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Mix16Native, kMix16Native)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Mix16Native, kMix16Native)->Arg(kSamples);
BENCHMARK_CAPTURE(Chosen, Mix16Swapped, kMix16Swapped)->Arg(kSamples);
BENCHMARK_CAPTURE(Portable, Mix16Swapped, kMix16Swapped)->Arg(kSamples);

}  // namespace
