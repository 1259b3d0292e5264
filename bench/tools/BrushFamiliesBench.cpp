// A 1000-dab stroke of one brush of each family (size 20, along a path that sweeps a 800 x 600
// picture row by row) against a naive loop that paints the same dabs by testing every pixel
// of each dab's box: the airbrush's soft clouds (brushes), the eight-way mirror's eight discs
// (wacky brushes), a voice brush at a steady shout (voice brushes) and the round hands-free
// brush moved over the picture (hands-free brushes).
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "tools/base/ToolHost.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/brushes/RAirbrush.h"
#include "tools/handsfree/RTouchless1.h"
#include "tools/voice/RCustomVoiceBrush1.h"
#include "tools/wacky/R8WayMirror.h"

namespace {

constexpr i16 kW = 800, kH = 600, kSize = 20;
constexpr i32 kDabs = 1000;

struct RedHost : ToolHost {
    GfxColor PaintColor() const override { return GfxColor::rgb(200, 30, 30); }
    bool ToolSoundsOn() const override { return false; }
};

struct Shout : VoiceLevel {
    float Level() override { return 1; }
};

// Horizontal sweeps joined by short drops, long enough for kDabs dabs `spacing` apart.
std::vector<Point16> sweepPath(i32 spacing) {
    std::vector<Point16> path{{30, 30}};
    i32 left = (kDabs - 1) * spacing;
    bool right = true;
    while (left > 0) {
        const Point16 last = path.back();
        const i32 run = std::min(left, i32(kW - 60));
        path.push_back(Point16{i16(right ? last.h + run : last.h - run), last.v});
        left -= run;
        if (left <= 0) break;
        const i32 drop = std::min(left, 30);
        path.push_back(Point16{path.back().h, i16(last.v + drop)});
        left -= drop;
        right = !right;
    }
    return path;
}

// The dab centres the naive loops paint: every `spacing`-th pixel along the path.
std::vector<Point16> dabCentres(const std::vector<Point16>& path, i32 spacing) {
    std::vector<Point16> centres{path.front()};
    Point16 at = path.front();
    i32 walked = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        const i32 sx = path[i].h > at.h ? 1 : path[i].h < at.h ? -1 : 0, sy = path[i].v > at.v ? 1 : path[i].v < at.v ? -1 : 0;
        while (at.h != path[i].h || at.v != path[i].v) {
            at = Point16{i16(at.h + sx), i16(at.v + sy)};
            if (++walked % spacing == 0) centres.push_back(at);
        }
    }
    return centres;
}

// Every pixel of the box round (cx, cy) tested against the circle and mixed in by `mix`.
void naiveDisc(const PixelView& view, double cx, double cy, double r, const std::function<u16(u16 old, double d2)>& mix) {
    for (i32 y = i32(cy - r) - 1; y <= i32(cy + r) + 1; ++y)
        for (i32 x = i32(cx - r) - 1; x <= i32(cx + r) + 1; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d2 = dx * dx + dy * dy;
            if (d2 < r * r && view.Contains(x, y)) view.Put(x, y, mix(view.At(x, y), d2 / (r * r)));
        }
}

struct Picture {
    Picture() : view(pixelViewOfBuffer(pixels, kW, kH)) { view.Fill(kRgb555White); }
    std::vector<u16> pixels;
    PixelView view;
};

void stroke(RStrokeTool& tool, const PixelView& view, const std::vector<Point16>& path) {
    ToolParams params;
    params.sizes = {kSize};
    tool.SetParams(params);
    const RedHost host;
    ToolCanvas canvas(view, view, &host);
    tool.Press(canvas, path.front());
    for (size_t i = 1; i < path.size(); ++i) tool.Move(canvas, path[i]);
    tool.Release(canvas, path.back());
}

const u16 kRed = rgb555(200, 30, 30);

void BM_Brushes_Airbrush(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> path = sweepPath(kSize / 3);
    for (auto _ : state) {
        RAirbrush brush;
        stroke(brush, picture.view, path);
    }
}

void BM_Brushes_NaiveSoftDiscs(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> centres = dabCentres(sweepPath(kSize / 3), kSize / 3);
    for (auto _ : state)
        for (Point16 c : centres)
            naiveDisc(picture.view, c.h + 0.5, c.v + 0.5, kSize, [](u16 old, double f) { return mixPixel(old, kRed, float(0.16 * (1 - f))); });
}

void BM_Wacky_EightWayMirror(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> path = sweepPath(kSize / 4);
    for (auto _ : state) {
        R8WayMirror brush;
        stroke(brush, picture.view, path);
    }
}

void BM_Wacky_NaiveMirroredDiscs(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> centres = dabCentres(sweepPath(kSize / 4), kSize / 4);
    const double cx = kW / 2.0, cy = kH / 2.0;
    for (auto _ : state)
        for (Point16 c : centres) {
            const double dx = c.h + 0.5 - cx, dy = c.v + 0.5 - cy;
            for (const double sx : {-1.0, 1.0})
                for (const double sy : {-1.0, 1.0}) {
                    naiveDisc(picture.view, cx + sx * dx, cy + sy * dy, kSize / 2.0, [](u16, double) { return kRed; });
                    naiveDisc(picture.view, cx + sx * dy, cy + sy * dx, kSize / 2.0, [](u16, double) { return kRed; });
                }
        }
}

void BM_Voice_VoiceBrushAtAShout(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> path = sweepPath(kSize / 4);
    Shout shout;
    for (auto _ : state) {
        RCustomVoiceBrush1 brush;
        brush.SetLevelSource(&shout);
        stroke(brush, picture.view, path);
    }
}

void BM_HandsFree_Touchless(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> path = sweepPath(kSize / 4);
    for (auto _ : state) {
        RTouchless1 brush;
        stroke(brush, picture.view, path);
    }
}

void BM_NaiveRoundDiscs(benchmark::State& state) {
    Picture picture;
    const std::vector<Point16> centres = dabCentres(sweepPath(kSize / 4), kSize / 4);
    for (auto _ : state)
        for (Point16 c : centres) naiveDisc(picture.view, c.h + 0.5, c.v + 0.5, kSize / 2.0, [](u16, double) { return kRed; });
}

BENCHMARK(BM_Brushes_Airbrush);
BENCHMARK(BM_Brushes_NaiveSoftDiscs);
BENCHMARK(BM_Wacky_EightWayMirror);
BENCHMARK(BM_Wacky_NaiveMirroredDiscs);
BENCHMARK(BM_Voice_VoiceBrushAtAShout);
BENCHMARK(BM_HandsFree_Touchless);
BENCHMARK(BM_NaiveRoundDiscs);

}  // namespace
