// Presenting a whole 800 × 600 RGB555 window: the conversion to the screen's 32-bit pixels
// and the upload, beside a plain memcpy of the frame's bytes. The headless window converts
// into its screen picture; the SDL window (SDL's offscreen driver, so no server is needed)
// converts and uploads a streaming texture and presents it with the software renderer.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;

void fillFrame(plat::DisplayWindow& face) {
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) face.surface().setPixel(x, y, uint32_t(x * 37 + y * 11) & 0x7FFF);
}

void presentFrames(benchmark::State& state, plat::DisplayDriver& driver) {
    std::unique_ptr<plat::DisplayWindow> face = driver.openWindow(1, "bench", kWidth, kHeight);
    if (!face || face->surface().bitsPerPixel() != 16) {
        state.SkipWithError("no 16-bit window");
        return;
    }
    fillFrame(*face);
    for (auto _ : state) {
        face->present(face->clientRect());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 2);
}

void PresentFrame555Headless(benchmark::State& state) {
    plat::HeadlessDisplay display;
    display.setModes({{kWidth, kHeight, 16, 60}});
    presentFrames(state, display);
}
BENCHMARK(PresentFrame555Headless);

void PresentFrame555Sdl(benchmark::State& state) {
    setenv("SDL_RENDER_DRIVER", "software", 1);
    std::unique_ptr<plat::DisplayDriver> sdl = plat::makeSdlDisplay("offscreen");
    if (!sdl) {
        state.SkipWithError("SDL's offscreen driver is not available");
        return;
    }
    sdl->changeMode({sdl->currentMode().width, sdl->currentMode().height, 16, 0}, false);
    presentFrames(state, *sdl);
}
BENCHMARK(PresentFrame555Sdl);

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
