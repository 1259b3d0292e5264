// Presenting a whole 800 × 600 RGB555 window: the conversion to the screen's 32-bit pixels
// and the copy into the screen picture, beside a plain memcpy of the frame's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;

void PresentFrame555(benchmark::State& state) {
    plat::HeadlessDisplay display;
    display.setModes({{kWidth, kHeight, 16, 60}});
    std::unique_ptr<plat::DisplayWindow> face = display.openWindow(1, "bench", kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) face->surface().setPixel(x, y, uint32_t(x * 37 + y * 11) & 0x7FFF);
    for (auto _ : state) {
        face->present(face->clientRect());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 2);
}
BENCHMARK(PresentFrame555);

void MemcpyFrame555(benchmark::State& state) {
    std::vector<uint8_t> from(size_t(kWidth) * kHeight * 2, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.size()));
}
BENCHMARK(MemcpyFrame555);

}  // namespace
