// A 1000-dab stroke of the blur brush (size 20, a dab every 5 pixels along a path that sweeps
// an 800x600 picture row by row) against a naive loop that tests every pixel of each dab's box
// against the circle and averages its 5 x 5 neighbourhood channel by channel. The target is at
// least the naive loop's rate. Each benchmark checks its picture against the other's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "tools/effects/brushes/RBlurBrush.h"

namespace {

constexpr i16 kW = 800, kH = 600, kSize = 20;
constexpr i32 kSpacing = kSize / 4;
constexpr i32 kDabs = 1000;

// Horizontal sweeps joined by drops, a dab every kSpacing pixels all the way.
std::vector<Point16> dabCentres() {
    std::vector<Point16> dabs;
    i32 x = 20, y = 20, dir = 1, drop = 0;
    while (i32(dabs.size()) < kDabs) {
        dabs.push_back(Point16{i16(x), i16(y)});
        if (drop > 0) {
            y += kSpacing;
            if (--drop == 0) dir = -dir;
            continue;
        }
        const i32 next = x + dir * kSpacing;
        if (next < 20 || next > kW - 20) {
            y += kSpacing;
            drop = 5;
        } else {
            x = next;
        }
    }
    return dabs;
}

struct Pictures {
    Pictures() {
        before = pixelViewOfBuffer(beforePixels, kW, kH);
        out = pixelViewOfBuffer(outPixels, kW, kH);
        for (i32 y = 0; y < kH; ++y)
            for (i32 x = 0; x < kW; ++x) before.Row(y)[x] = rgb555FromChannels(u32(x % 32), u32((y / 3) % 32), u32((x * y) % 32));
    }
    void Reset() { outPixels = beforePixels; }
    std::vector<u16> beforePixels, outPixels;
    PixelView before, out;
};

void strokeOurs(Pictures& p, const std::vector<Point16>& dabs) {
    RBlurBrush brush;
    ToolParams params;
    params.sizes = {kSize};
    brush.SetParams(params);
    ToolCanvas canvas(p.out, p.before);
    brush.Press(canvas, dabs.front());
    for (size_t i = 1; i < dabs.size(); ++i) brush.Move(canvas, dabs[i]);
    brush.Release(canvas, dabs.back());
}

void strokeNaive(Pictures& p, const std::vector<Point16>& dabs) {
    const double r = kSize / 2.0;
    for (Point16 c : dabs)
        for (i32 row = 0; row < kSize; ++row)
            for (i32 col = 0; col < kSize; ++col) {
                const double dx = col + 0.5 - r, dy = row + 0.5 - r;
                const i32 x = c.h - kSize / 2 + col, y = c.v - kSize / 2 + row;
                if (dx * dx + dy * dy > r * r || !p.out.Contains(x, y)) continue;
                u32 sum[3] = {0, 0, 0};
                for (i32 ny = y - 2; ny <= y + 2; ++ny)
                    for (i32 nx = x - 2; nx <= x + 2; ++nx) {
                        const u16 q = p.before.At(std::clamp<i32>(nx, 0, kW - 1), std::clamp<i32>(ny, 0, kH - 1));
                        sum[0] += rgb555Red(q), sum[1] += rgb555Green(q), sum[2] += rgb555Blue(q);
                    }
                p.out.Put(x, y, rgb555FromChannels((sum[0] + 12) / 25, (sum[1] + 12) / 25, (sum[2] + 12) / 25));
            }
}

void BM_BlurBrushStroke(benchmark::State& state) {
    const std::vector<Point16> dabs = dabCentres();
    Pictures ours, naive;
    ours.Reset();
    naive.Reset();
    strokeOurs(ours, dabs);
    strokeNaive(naive, dabs);
    if (ours.outPixels != naive.outPixels) state.SkipWithError("the two paint different pictures");
    for (auto _ : state) {
        ours.Reset();
        strokeOurs(ours, dabs);
        benchmark::DoNotOptimize(ours.outPixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kDabs);
}

void BM_NaiveBlurStroke(benchmark::State& state) {
    const std::vector<Point16> dabs = dabCentres();
    Pictures naive;
    for (auto _ : state) {
        naive.Reset();
        strokeNaive(naive, dabs);
        benchmark::DoNotOptimize(naive.outPixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kDabs);
}

BENCHMARK(BM_BlurBrushStroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveBlurStroke)->Unit(benchmark::kMillisecond);

}  // namespace
