// A 1000-dab stroke of each wacky brush that draws solid things with OpenGL (size 20, along a
// path that sweeps a 800 x 600 picture row by row), drawn through a renderer bound to the
// picture against the same stroke painted flat in software, as on a machine without GL.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "platform/gdi/DeviceContext.h"
#include "tools/base/ToolHost.h"
#include "tools/wacky/RGarland.h"
#include "tools/wacky/RRainbow.h"
#include "tools/wacky/RTree.h"
#include "tools/wacky/RVessar.h"

namespace {

constexpr i16 kW = 800, kH = 600, kSize = 20;
constexpr i32 kDabs = 1000;

// A picture of 800 x 600 and, for GL, the renderer bound to it as the canvas binds it.
struct Picture {
    explicit Picture(bool withGl) : view(pixelViewOfBuffer(pixels, kW, kH)) {
        view.Fill(kRgb555White);
        if (!withGl) return;
        surface = plat::gdi::Surface::wrap(view.top, kW, kH, 16, kW * 2, plat::gdi::RowOrder::TopDown);
        dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Memory, *surface);
        if (renderer.Attach(dc.get(), kW, kH, 0, 0, kW, kH) != kGlOk) return;
        renderer.SetView(GlViewRect{0, 0, kW, kH});
        renderer.SelectSmoothShading();
        bound = true;
    }
    std::vector<u16> pixels;
    PixelView view;
    std::unique_ptr<plat::gdi::Surface> surface;
    std::unique_ptr<plat::gdi::DeviceContext> dc;
    GLBitmapRenderer renderer{16};
    bool bound = false;
};

struct GreenHost : ToolHost {
    GfxColor PaintColor() const override { return GfxColor::rgb(30, 150, 60); }
    bool ToolSoundsOn() const override { return false; }
    GLBitmapRenderer* PictureRenderer() const override { return renderer; }
    GLBitmapRenderer* renderer = nullptr;
};

// Horizontal sweeps joined by drops of a row (back to the top after the last row), long enough
// for kDabs dabs `spacing` apart.
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
        const i32 next = last.v + 30 > kH - 30 ? 30 : last.v + 30;
        const i32 drop = std::min(left, std::abs(next - last.v));
        path.push_back(Point16{path.back().h, i16(next > last.v ? last.v + drop : last.v - drop)});
        left -= drop;
        right = !right;
    }
    return path;
}

template <class Brush>
void strokeOf(benchmark::State& state, bool withGl) {
    Picture picture(withGl);
    if (withGl && !picture.bound) {
        state.SkipWithError("no GL context");
        return;
    }
    GreenHost host;
    host.renderer = withGl ? &picture.renderer : nullptr;
    for (auto _ : state) {
        Brush brush;
        ToolParams params;
        params.sizes = {kSize};
        brush.SetParams(params);
        const std::vector<Point16> path = sweepPath(brush.Spacing());
        ToolCanvas canvas(picture.view, picture.view, &host);
        brush.Press(canvas, path.front());
        for (size_t i = 1; i < path.size(); ++i) brush.Move(canvas, path[i]);
        brush.Release(canvas, path.back());
    }
}

void BM_Garland_Gl(benchmark::State& state) { strokeOf<RGarland>(state, true); }
void BM_Garland_Flat(benchmark::State& state) { strokeOf<RGarland>(state, false); }
void BM_Tree_Gl(benchmark::State& state) { strokeOf<RTree>(state, true); }
void BM_Tree_Flat(benchmark::State& state) { strokeOf<RTree>(state, false); }
void BM_Vessel_Gl(benchmark::State& state) { strokeOf<RVessar>(state, true); }
void BM_Vessel_Flat(benchmark::State& state) { strokeOf<RVessar>(state, false); }
void BM_Rainbow_Gl(benchmark::State& state) { strokeOf<RRainbow>(state, true); }
void BM_Rainbow_Flat(benchmark::State& state) { strokeOf<RRainbow>(state, false); }

BENCHMARK(BM_Garland_Gl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Garland_Flat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tree_Gl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tree_Flat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vessel_Gl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vessel_Flat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rainbow_Gl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rainbow_Flat)->Unit(benchmark::kMillisecond);

}  // namespace
