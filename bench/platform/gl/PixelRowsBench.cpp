// Converting a finished GL buffer (8-bit RGBA) into a 16-bit RGB555 picture, beside memcpy of
// the same RGBA bytes. The pixel count comes in at run time (the benchmark's argument), so the
// copy's size is not known to the compiler either.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gl/PixelRows.h"

namespace {

std::vector<uint8_t> Rgba(size_t pixels) {
    std::vector<uint8_t> rgba(pixels * 4);
    for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(i * 7 + 3);
    return rgba;
}

void BM_RgbaToRgb555(benchmark::State& state) {
    const size_t pixels = size_t(state.range(0));
    const std::vector<uint8_t> rgba = Rgba(pixels);
    std::vector<uint8_t> out(pixels * 2);
    for (auto _ : state) {
        plat::gl::rgbaToRgb555(rgba.data(), out.data(), pixels);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    // Pixel 1 is (31, 38, 45, 52): 5-bit channels 3, 4, 5.
    if ((out[2] | (out[3] << 8)) != ((3 << 10) | (4 << 5) | 5)) state.SkipWithError("wrong conversion");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgba.size()));
}

void BM_MemcpySameBytes(benchmark::State& state) {
    const size_t pixels = size_t(state.range(0));
    const std::vector<uint8_t> rgba = Rgba(pixels);
    std::vector<uint8_t> out(rgba.size());
    for (auto _ : state) {
        std::memcpy(out.data(), rgba.data(), rgba.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    if (out != rgba) state.SkipWithError("wrong copy");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgba.size()));
}

// An 800 x 600 frame.
BENCHMARK(BM_RgbaToRgb555)->Arg(800 * 600);
BENCHMARK(BM_MemcpySameBytes)->Arg(800 * 600);

}  // namespace
