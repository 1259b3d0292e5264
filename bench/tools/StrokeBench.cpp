// A 1000-dab stroke of the plain pencil (size 20, a dab every 5 pixels along a path that sweeps
// a picture row by row) against a naive loop that tests every pixel of each dab's box against
// the circle. The picture's size and the dab count are passed at run time; each benchmark
// checks its picture against the other's.
#include <benchmark/benchmark.h>

#include <vector>

#include "tools/base/ToolHost.h"
#include "tools/pencils/RCircle.h"

namespace {

constexpr i16 kSize = 20;
constexpr i32 kSpacing = kSize / 4;

// A path of horizontal sweeps joined by short drops, long enough for `dabs` dabs.
std::vector<Point16> sweepPath(i16 w, i32 dabs) {
    std::vector<Point16> path{{10, 10}};
    i32 left = (dabs - 1) * kSpacing;
    bool right = true;
    while (left > 0) {
        Point16 last = path.back();
        i32 run = std::min(left, i32(w - 20));
        path.push_back(Point16{i16(right ? last.h + run : last.h - run), last.v});
        left -= run;
        if (left <= 0) break;
        i32 drop = std::min(left, 30);
        path.push_back(Point16{path.back().h, i16(last.v + drop)});
        left -= drop;
        right = !right;
    }
    return path;
}

// The pencil paints in the benchmark's red.
struct RedHost : ToolHost {
    GfxColor PaintColor() const override { return GfxColor::rgb(200, 30, 30); }
    bool ToolSoundsOn() const override { return false; }
};

void paintWithPencil(const PixelView& view, const std::vector<Point16>& path) {
    RCircle pencil;
    ToolParams params;
    params.sizes = {kSize};
    pencil.SetParams(params);
    const RedHost host;
    ToolCanvas canvas(view, view, &host);
    pencil.Press(canvas, path.front());
    for (size_t i = 1; i < path.size(); ++i) pencil.Move(canvas, path[i]);
    pencil.Release(canvas, path.back());
}

void paintNaively(const PixelView& view, const std::vector<Point16>& path, u16 pixel) {
    const double r = kSize / 2.0;
    auto dab = [&](i32 cx, i32 cy) {
        for (i32 row = 0; row < kSize; ++row)
            for (i32 col = 0; col < kSize; ++col) {
                double dx = col + 0.5 - r, dy = row + 0.5 - r;
                if (dx * dx + dy * dy <= r * r) view.Put(cx - kSize / 2 + col, cy - kSize / 2 + row, pixel);
            }
    };
    // Axis-aligned pieces: a dab at every kSpacing-th pixel of the path's length.
    i32 walked = 0;
    Point16 at = path.front();
    dab(at.h, at.v);
    for (size_t i = 1; i < path.size(); ++i) {
        i32 sx = path[i].h > at.h ? 1 : path[i].h < at.h ? -1 : 0, sy = path[i].v > at.v ? 1 : path[i].v < at.v ? -1 : 0;
        while (at.h != path[i].h || at.v != path[i].v) {
            at = Point16{i16(at.h + sx), i16(at.v + sy)};
            if (++walked % kSpacing == 0) dab(at.h, at.v);
        }
    }
}

struct Run {
    explicit Run(benchmark::State& state)
        : w(i16(state.range(0))), h(i16(state.range(1))), path(sweepPath(w, i32(state.range(2)))) {
        pixel = rgb555FromColor(RedHost{}.PaintColor());
        ours = pixelViewOfBuffer(oursPixels, w, h);
        naive = pixelViewOfBuffer(naivePixels, w, h);
        ours.Fill(kRgb555White);
        naive.Fill(kRgb555White);
        paintWithPencil(ours, path);
        paintNaively(naive, path, pixel);
    }
    bool Same() const { return oursPixels == naivePixels; }
    i16 w, h;
    std::vector<Point16> path;
    u16 pixel = 0;
    std::vector<u16> oursPixels, naivePixels;
    PixelView ours, naive;
};

void BM_PencilStroke(benchmark::State& state) {
    Run run(state);
    if (!run.Same()) state.SkipWithError("the pencil and the naive loop painted different pictures");
    for (auto _ : state) paintWithPencil(run.ours, run.path);
}

void BM_NaivePerPixelStroke(benchmark::State& state) {
    Run run(state);
    if (!run.Same()) state.SkipWithError("the pencil and the naive loop painted different pictures");
    for (auto _ : state) paintNaively(run.naive, run.path, run.pixel);
}

BENCHMARK(BM_PencilStroke)->Args({800, 600, 1000});
BENCHMARK(BM_NaivePerPixelStroke)->Args({800, 600, 1000});

}  // namespace
