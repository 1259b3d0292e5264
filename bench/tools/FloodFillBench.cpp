// The scanline flood fill against a naive fill that visits pixel by pixel from a queue, both
// filling the open area of a picture criss-crossed by walls. The picture's size is passed at
// run time; each benchmark checks it filled exactly the area the other fills.
#include <benchmark/benchmark.h>

#include <queue>
#include <random>
#include <vector>

#include "tools/fills/FloodFill.h"

namespace {

struct Walled {
    Walled(i16 w, i16 h) {
        view = pixelViewOfBuffer(pixels, w, h);
        view.Fill(kRgb555White);
        std::mt19937 random(11);
        // Broken walls: the fill has to wind through the gaps.
        for (int i = 0; i < 60; ++i) {
            i32 y = i32(random() % u32(h)), x = i32(random() % u32(w));
            view.FillSpan(y, x - w / 4, x, 0);
            i32 col = i32(random() % u32(w));
            for (i32 r = i32(random() % u32(h)); r < h && r % 97 != 0; ++r) view.Put(col, r, 0);
        }
        view.Put(0, 0, kRgb555White);
    }
    std::vector<u16> pixels;
    PixelView view;
};

size_t naiveQueueFill(const PixelView& v, Point16 seed) {
    std::vector<u8> seen(size_t(v.width) * size_t(v.height), 0);
    const u16 target = v.At(seed.h, seed.v);
    std::queue<Point16> queue;
    queue.push(seed);
    size_t filled = 0;
    while (!queue.empty()) {
        Point16 p = queue.front();
        queue.pop();
        if (!v.Contains(p.h, p.v)) continue;
        u8& s = seen[size_t(p.v) * size_t(v.width) + size_t(p.h)];
        if (s || v.At(p.h, p.v) != target) continue;
        s = 1;
        ++filled;
        queue.push(Point16{i16(p.h + 1), p.v});
        queue.push(Point16{i16(p.h - 1), p.v});
        queue.push(Point16{p.h, i16(p.v + 1)});
        queue.push(Point16{p.h, i16(p.v - 1)});
    }
    return filled;
}

void BM_ScanlineFloodFill(benchmark::State& state) {
    Walled picture(i16(state.range(0)), i16(state.range(1)));
    const size_t expected = naiveQueueFill(picture.view, Point16{0, 0});
    for (auto _ : state) {
        PixelMask mask = floodFillArea(picture.view, Point16{0, 0});
        benchmark::DoNotOptimize(mask);
        if (mask.Count() != expected) state.SkipWithError("the scanline fill filled another area");
    }
    state.counters["pixels"] = double(expected);
}

void BM_NaiveQueueFill(benchmark::State& state) {
    Walled picture(i16(state.range(0)), i16(state.range(1)));
    const size_t expected = floodFillArea(picture.view, Point16{0, 0}).Count();
    for (auto _ : state) {
        size_t filled = naiveQueueFill(picture.view, Point16{0, 0});
        if (filled != expected) state.SkipWithError("the queue fill filled another area");
    }
}

BENCHMARK(BM_ScanlineFloodFill)->Args({800, 600});
BENCHMARK(BM_NaiveQueueFill)->Args({800, 600});

}  // namespace
