// The drawing layer's hot paths, each beside the simplest code that does the same work.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Shapes.h"

using namespace plat::gdi;

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

struct Canvas {
    std::unique_ptr<Surface> surface;
    std::unique_ptr<DeviceContext> dc;
};

Canvas canvas(int32_t w, int32_t h) {
    Canvas c{Surface::create(w, h, 16), DeviceContext::createMemory()};
    c.dc->selectSurface(c.surface.get());
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) c.surface->setPixel(x, y, uint32_t(x * 31 + y));
    return c;
}

void CopyOneToOne(benchmark::State& state) {
    Canvas src = canvas(kWidth, kHeight), dst = canvas(kWidth, kHeight);
    for (auto _ : state) bitBlt(*dst.dc, {0, 0, kWidth, kHeight}, src.dc.get(), {0, 0}, kRopSrcCopy);
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(CopyOneToOne);

void CopyOneToOneMemcpy(benchmark::State& state) {
    Canvas src = canvas(kWidth, kHeight), dst = canvas(kWidth, kHeight);
    for (auto _ : state)
        std::memcpy(dst.surface->memory(), src.surface->memory(), size_t(src.surface->stride()) * kHeight);
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(CopyOneToOneMemcpy);

void StretchDouble(benchmark::State& state) {
    Canvas src = canvas(kWidth / 2, kHeight / 2), dst = canvas(kWidth, kHeight);
    for (auto _ : state)
        stretchBlt(*dst.dc, {0, 0, kWidth, kHeight}, src.dc.get(), {0, 0, kWidth / 2, kHeight / 2}, kRopSrcCopy);
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(StretchDouble);

void StretchDoubleNaive(benchmark::State& state) {
    Canvas src = canvas(kWidth / 2, kHeight / 2), dst = canvas(kWidth, kHeight);
    for (auto _ : state)
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) dst.surface->setPixel(x, y, src.surface->pixel(x / 2, y / 2));
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(StretchDoubleNaive);

// The 16-bit screen to a 32-bit window, one row at a time, beside the same copy pixel by pixel
// (the rop index of a plain copy under another code takes the per-pixel path).
void Copy16To32(benchmark::State& state, Rop3 rop) {
    Canvas src = canvas(kWidth, kHeight);
    Canvas dst{Surface::create(kWidth, kHeight, 32), DeviceContext::createMemory()};
    dst.dc->selectSurface(dst.surface.get());
    for (auto _ : state) bitBlt(*dst.dc, {0, 0, kWidth, kHeight}, src.dc.get(), {0, 0}, rop);
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK_CAPTURE(Copy16To32, RowPath, kRopSrcCopy);
BENCHMARK_CAPTURE(Copy16To32, PerPixel, Rop3(0x00CC0000));

std::array<ColorRef, 64> checkerboard() {
    std::array<ColorRef, 64> p{};
    for (size_t i = 0; i < 64; ++i) p[i] = ((i / 8 + i) & 1) ? rgbColor(255, 0, 0) : rgbColor(0, 0, 255);
    return p;
}

void PatternFill(benchmark::State& state) {
    Canvas dst = canvas(kWidth, kHeight);
    dst.dc->state().brush = Brush::withPattern(checkerboard());
    for (auto _ : state) patBlt(*dst.dc, {0, 0, kWidth, kHeight}, kRopPatCopy);
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(PatternFill);

void PatternFillNaive(benchmark::State& state) {
    Canvas dst = canvas(kWidth, kHeight);
    auto pattern = checkerboard();
    for (auto _ : state)
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                dst.surface->setPixel(x, y, dst.dc->resolve(pattern[size_t((y % 8) * 8 + x % 8)]));
    benchmark::DoNotOptimize(dst.surface->memory());
}
BENCHMARK(PatternFillNaive);

std::vector<Rect> randomRects() {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int32_t> x(0, kWidth - 40), y(0, kHeight - 40), size(1, 40);
    std::vector<Rect> rects;
    for (int i = 0; i < 1000; ++i) {
        int32_t l = x(rng), t = y(rng);
        rects.push_back({l, t, l + size(rng), t + size(rng)});
    }
    return rects;
}

void RegionUnion(benchmark::State& state) {
    auto rects = randomRects();
    for (auto _ : state) {
        Region r = Region::unionOf(rects);
        benchmark::DoNotOptimize(r.rectCount());
    }
}
BENCHMARK(RegionUnion);

// The naive way to the same region: paint a pixel mask, then read its rows back as spans.
void RegionUnionBitmask(benchmark::State& state) {
    auto rects = randomRects();
    for (auto _ : state) {
        std::vector<uint8_t> mask(size_t(kWidth) * kHeight);
        for (const Rect& rect : rects)
            for (int32_t yy = rect.top; yy < rect.bottom; ++yy)
                for (int32_t xx = rect.left; xx < rect.right; ++xx) mask[size_t(yy * kWidth + xx)] = 1;
        RowSpans rows{0, std::vector<std::vector<Span>>(kHeight)};
        for (int32_t yy = 0; yy < kHeight; ++yy)
            for (int32_t xx = 0; xx < kWidth; ++xx) {
                if (!mask[size_t(yy * kWidth + xx)]) continue;
                int32_t start = xx;
                while (xx < kWidth && mask[size_t(yy * kWidth + xx)]) ++xx;
                rows.rows[size_t(yy)].push_back({start, xx});
            }
        Region r = Region::fromRows(rows);
        benchmark::DoNotOptimize(r.rectCount());
    }
}
BENCHMARK(RegionUnionBitmask);

}  // namespace
