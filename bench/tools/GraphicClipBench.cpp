// A floating clip's pixel work. Copying a 300 x 300 free-form piece through its mask region,
// rectangle by rectangle, against testing the region at every pixel of its bounds (target: at
// least ten times faster). One drag frame of a 300 x 300 floating piece (its old and new
// places put back from the background, then the piece drawn at the new place) against one copy
// of a whole 800 x 600 16-bit picture (target: no slower). Each benchmark checks a pixel it
// copied.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Regions.h"
#include "tools/base/PaintShapes.h"
#include "tools/base/PixelMask.h"
#include "tools/cut/ClipPixels.h"

namespace {

constexpr i16 kSide = 300;
constexpr i16 kScreenWidth = 800;
constexpr i16 kScreenHeight = 600;

struct Picture {
    Picture(i16 width, i16 height, u16 seed) {
        view = pixelViewOfBuffer(pixels, width, height);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = u16((i * 7 + seed) & 0x7FFF);
    }
    std::vector<u16> pixels;
    PixelView view;
};

// A blob whose outline wobbles, as a hand-drawn cut makes: a few rectangles per row.
struct FreeForm {
    FreeForm() {
        memInit(0, 256);
        std::vector<Point16> outline;
        for (int i = 0; i < 720; ++i) {
            const double a = i * 3.14159265358979 / 360.0;
            const double r = 140.0 + 8.0 * std::sin(a * 9.0);
            outline.push_back(Point16{i16(150 + r * std::cos(a)), i16(150 + r * std::sin(a))});
        }
        PixelMask inside(kSide, kSide);
        polygonSpans(outline, Rect16{0, 0, kSide, kSide}, [&](i32 y, i32 x0, i32 x1) { inside.SetSpan(y, x0, x1); });
        region = inside.ToRegion(0, 0);
    }
    ~FreeForm() {
        rgnDispose(region);
        memShutdown();
    }
    memHandle region = 0;
};

void BM_FreeFormThroughMaskRegion(benchmark::State& state) {
    FreeForm shape;
    Picture source(kSide, kSide, 1), target(kSide, kSide, 2);
    for (auto _ : state) {
        copyThroughMask(target.view, source.view, Point16{0, 0}, PlacedMask{shape.region, {0, 0}});
        benchmark::ClobberMemory();
    }
    if (target.view.At(150, 150) != source.view.At(150, 150)) state.SkipWithError("the centre was not copied");
}
BENCHMARK(BM_FreeFormThroughMaskRegion);

void BM_FreeFormRegionTestPerPixel(benchmark::State& state) {
    FreeForm shape;
    Picture source(kSide, kSide, 1), target(kSide, kSide, 2);
    for (auto _ : state) {
        for (i16 y = 0; y < kSide; ++y)
            for (i16 x = 0; x < kSide; ++x)
                if (rgnContainsPoint(shape.region, Point16{x, y}) == 1) target.view.Row(y)[x] = source.view.Row(y)[x];
        benchmark::ClobberMemory();
    }
    if (target.view.At(150, 150) != source.view.At(150, 150)) state.SkipWithError("the centre was not copied");
}
BENCHMARK(BM_FreeFormRegionTestPerPixel);

void BM_FloatingClipDragFrame(benchmark::State& state) {
    FreeForm shape;
    Picture background(kScreenWidth, kScreenHeight, 3), screen(kScreenWidth, kScreenHeight, 3), piece(kSide, kSide, 4);
    Point16 at{100, 100};
    for (auto _ : state) {
        const Point16 next{i16(at.h == 100 ? 104 : 100), i16(at.v == 100 ? 103 : 100)};
        // The old and the new place come back from the background, then the piece is drawn.
        screen.view.CopyRectFrom(background.view, Rect16{at.h, at.v, i16(at.h + kSide), i16(at.v + kSide)});
        screen.view.CopyRectFrom(background.view, Rect16{next.h, next.v, i16(next.h + kSide), i16(next.v + kSide)});
        copyThroughMask(screen.view, piece.view, next, PlacedMask{shape.region, next});
        at = next;
        benchmark::ClobberMemory();
    }
    if (screen.view.At(at.h + 150, at.v + 150) != piece.view.At(150, 150)) state.SkipWithError("the piece was not drawn");
}
BENCHMARK(BM_FloatingClipDragFrame);

void BM_Copy800x600Picture(benchmark::State& state) {
    Picture from(kScreenWidth, kScreenHeight, 5), to(kScreenWidth, kScreenHeight, 6);
    for (auto _ : state) {
        std::memcpy(to.pixels.data(), from.pixels.data(), from.pixels.size() * sizeof(u16));
        benchmark::ClobberMemory();
    }
    if (to.pixels[1234] != from.pixels[1234]) state.SkipWithError("nothing was copied");
}
BENCHMARK(BM_Copy800x600Picture);

}  // namespace
