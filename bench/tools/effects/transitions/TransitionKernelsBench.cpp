// One step of each transition between two 800x600 16-bit pictures, halfway through, against a
// naive function that decides every pixel on its own (floating point, one call a pixel). The
// target is at least 60 steps a second and twice the naive function's rate. Each benchmark
// first checks that the two draw the same picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/effects/transitions/TransitionKernels.h"

namespace {

constexpr i16 kW = 800, kH = 600;
constexpr u32 kHalf = kTransitionFull / 2;
const Point16 kCentre{300, 250};

struct Pictures {
    Pictures() {
        from = pixelViewOfBuffer(fromPixels, kW, kH);
        to = pixelViewOfBuffer(toPixels, kW, kH);
        out = pixelViewOfBuffer(outPixels, kW, kH);
        for (i32 y = 0; y < kH; ++y)
            for (i32 x = 0; x < kW; ++x) {
                from.Row(y)[x] = rgb555FromChannels(u32(x % 32), u32(y % 32), u32((x + y) % 32));
                to.Row(y)[x] = rgb555FromChannels(u32((x * 3) % 32), 31 - u32(y % 32), u32((x ^ y) % 32));
            }
    }
    std::vector<u16> fromPixels, toPixels, outPixels;
    PixelView from, to, out;
};

// The transition's pixel (x, y), worked out on its own.
u16 naivePixel(TransitionKind kind, u32 progress, const PixelView& from, const PixelView& to, i32 x, i32 y) {
    const double t = double(progress) / kTransitionFull;
    const i32 w = from.width, h = from.height;
    auto part = [&](i32 n) { return i32(std::floor(n * t)); };
    switch (kind) {
        case TransitionKind::None: return progress >= kTransitionFull ? to.At(x, y) : from.At(x, y);
        case TransitionKind::Fade: {
            const double a = std::floor(32 * t) / 32;
            auto mix = [&](u8 p, u8 q) { return u32(std::floor(p * (1 - a) + q * a + 0.5)); };
            const u16 p = from.At(x, y), q = to.At(x, y);
            return rgb555FromChannels(mix(rgb555Red(p), rgb555Red(q)), mix(rgb555Green(p), rgb555Green(q)),
                                      mix(rgb555Blue(p), rgb555Blue(q)));
        }
        case TransitionKind::WipeLeft: return x >= w - part(w) ? to.At(x, y) : from.At(x, y);
        case TransitionKind::WipeRight: return x < part(w) ? to.At(x, y) : from.At(x, y);
        case TransitionKind::WipeUp: return y >= h - part(h) ? to.At(x, y) : from.At(x, y);
        case TransitionKind::WipeDown: return y < part(h) ? to.At(x, y) : from.At(x, y);
        case TransitionKind::Iris: {
            const double reach = std::hypot(std::max<i32>(kCentre.h, w - kCentre.h), std::max<i32>(kCentre.v, h - kCentre.v)) + 1;
            const double r = reach * progress / kTransitionFull;
            const double dx = x + 0.5 - kCentre.h, dy = y + 0.5 - kCentre.v;
            return dx * dx + dy * dy < r * r ? to.At(x, y) : from.At(x, y);
        }
        case TransitionKind::Dissolve: return transitionDissolveRank(x, y) < progress ? to.At(x, y) : from.At(x, y);
        case TransitionKind::Slide: return x >= w - part(w) ? to.At(x - (w - part(w)), y) : from.At(x, y);
        case TransitionKind::Zoom: {
            const i32 zw = part(w), zh = part(h);
            const i32 left = kCentre.h - zw * kCentre.h / w, top = kCentre.v - zh * kCentre.v / h;
            if (x < left || x >= left + zw || y < top || y >= top + zh) return from.At(x, y);
            return to.At((x - left) * w / zw, (y - top) * h / zh);
        }
        case TransitionKind::Blinds: return y % kBlindsSlat < part(kBlindsSlat) ? to.At(x, y) : from.At(x, y);
        case TransitionKind::Checkers: {
            const bool late = ((x / kCheckersCell + y / kCheckersCell) & 1) != 0;
            const i32 shown = part(2 * kCheckersCell) - (late ? kCheckersCell : 0);
            return x % kCheckersCell < shown ? to.At(x, y) : from.At(x, y);
        }
        case TransitionKind::PushLeft: return x < w - part(w) ? from.At(x + part(w), y) : to.At(x - (w - part(w)), y);
        case TransitionKind::PushUp: return y < h - part(h) ? from.At(x, y + part(h)) : to.At(x, y - (h - part(h)));
    }
    return 0;
}

void naiveStep(TransitionKind kind, u32 progress, const Pictures& p) {
    for (i32 y = 0; y < kH; ++y)
        for (i32 x = 0; x < kW; ++x) p.out.Row(y)[x] = naivePixel(kind, progress, p.from, p.to, x, y);
}

bool sameAsNaive(TransitionKind kind, Pictures& p) {
    transitionStep(kind, kHalf, p.from, p.to, p.out, kCentre);
    const std::vector<u16> ours = p.outPixels;
    naiveStep(kind, kHalf, p);
    return ours == p.outPixels;
}

void BM_Ours(benchmark::State& state) {
    const auto kind = TransitionKind(state.range(0));
    Pictures p;
    if (!sameAsNaive(kind, p)) state.SkipWithError("the two draw different pictures");
    for (auto _ : state) {
        transitionStep(kind, kHalf, p.from, p.to, p.out, kCentre);
        benchmark::DoNotOptimize(p.outPixels.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Naive(benchmark::State& state) {
    const auto kind = TransitionKind(state.range(0));
    Pictures p;
    for (auto _ : state) {
        naiveStep(kind, kHalf, p);
        benchmark::DoNotOptimize(p.outPixels.data());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Ours)->DenseRange(0, kTransitionKindCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Naive)->DenseRange(0, kTransitionKindCount - 1)->Unit(benchmark::kMillisecond);

}  // namespace
