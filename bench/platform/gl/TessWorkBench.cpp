// What measuring an outline's work costs beside GLU tessellating it: every tessellation pays
// the measure first, so on ordinary outlines it has to stay a small part of GLU's own time.
// Outlines: a circle of n points (the argument), rows of small rings standing in for a block
// of text turned into outlines (many contours, many of them over any one x), and the worst the
// measure itself meets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/gl/TessWork.h"

namespace {

using plat::gl::TessPoint;

struct Outline {
    std::vector<TessPoint> points;
    std::vector<uint32_t> ends;
};

void addRing(Outline& o, int32_t cx, int32_t cy, int32_t radius, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        o.points.push_back({cx + int32_t(radius * std::cos(a)), cy + int32_t(radius * std::sin(a))});
    }
    o.ends.push_back(uint32_t(o.points.size()));
}

Outline Circle(int64_t n) {
    Outline o;
    addRing(o, 0, 0, 10000000, uint32_t(n));
    return o;
}

// 20 rows of 40 rings of 32 points, each ring with a hole.
Outline TextBlock(int64_t) {
    Outline o;
    for (int32_t row = 0; row < 20; ++row)
        for (int32_t column = 0; column < 40; ++column) {
            addRing(o, column * 300, row * 400, 120, 32);
            addRing(o, column * 300, row * 400, 60, 32);
        }
    return o;
}

// The measure's own worst case: thin slanting quads over one x range, every pair of edges
// overlapping along both axes (so each pair is tested for meeting), just under the pairs limit.
Outline Overlapping(int64_t) {
    Outline o;
    for (int32_t i = 0; i < 1548; ++i) {
        o.points.insert(o.points.end(), {{0, 40 * i}, {1000000, 1000000 + 40 * i}, {1000000, 1000010 + 40 * i}, {0, 10 + 40 * i}});
        o.ends.push_back(uint32_t(o.points.size()));
    }
    return o;
}

template <Outline (*Make)(int64_t)>
void BM_MeasureWork(benchmark::State& state) {
    const Outline o = Make(state.range(0));
    plat::gl::TessFailure failure = plat::gl::TessFailure::None;
    for (auto _ : state) {
        failure = plat::gl::tessWorkExcess(o.points, o.ends, plat::gl::TessLimits{});
        benchmark::DoNotOptimize(failure);
    }
    if (failure != plat::gl::TessFailure::None) state.SkipWithError("the outline was refused");
}

// GLU's tessellation with the measure in front, as drawing uses it.
template <Outline (*Make)(int64_t)>
void BM_Tessellate(benchmark::State& state) {
    const Outline o = Make(state.range(0));
    auto tessellator = plat::gl::Tessellator::create();
    if (!tessellator) {
        state.SkipWithError("no tessellator");
        return;
    }
    plat::gl::TessResult result;
    bool done = false;
    for (auto _ : state) {
        done = tessellator->run(o.points, o.ends, result);
        benchmark::DoNotOptimize(result.vertices.data());
    }
    if (!done || result.primitives.empty()) state.SkipWithError("no triangles");
}

BENCHMARK(BM_MeasureWork<Circle>)->Arg(4096)->Arg(65536);
BENCHMARK(BM_Tessellate<Circle>)->Arg(4096)->Arg(65536);
BENCHMARK(BM_MeasureWork<TextBlock>)->Arg(0);
BENCHMARK(BM_Tessellate<TextBlock>)->Arg(0);
BENCHMARK(BM_MeasureWork<Overlapping>)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tessellate<Overlapping>)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
