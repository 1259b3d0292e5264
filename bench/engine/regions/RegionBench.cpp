// Region union and intersection against the naive way of keeping an area: a byte per pixel
// of an 800 x 600 screen. Both sides start from their own representation: unions from a list
// of rectangles, intersections from two finished areas. Each region benchmark checks that its
// operations succeeded and that its region covers the grid's pixels; items per second are
// rectangles added or intersected, so that the two sides' rates read as a ratio.
//
// A union adds its rectangles one at a time, and the list it leaves depends on their order,
// not only on the pixels they cover: (0,0,10,20) then (0,10,10,30) stays two rectangles, the
// other way round one. So the union is these additions and no other algorithm; its cost
// follows the size of the list it builds, which grows while the rectangles scatter and shrinks
// as they cover the screen. Pixels that touch nothing keep it growing: then each call moves
// the rest of the list for its pixel, as any union that leaves the list whole in its block
// after every call must, and the sorted insertion beside it is that floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Regions.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Dirty-rectangle sized pieces scattered over the screen, leaving room for a shift of 16.
std::vector<Rect16> randomRects(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Rect16> rects;
    for (int k = 0; k < count; ++k) {
        int w = 4 + int(random() % 60), h = 4 + int(random() % 60);
        int left = int(random() % unsigned(kWidth - 16 - w)), top = int(random() % unsigned(kHeight - 16 - h));
        rects.push_back(Rect16{i16(left), i16(top), i16(left + w), i16(top + h)});
    }
    return rects;
}

// Single pixels two apart, none touching another, in random order: every one stays its own
// rectangle, so the list grows with each and the union's cost per call with it.
std::vector<Rect16> scatteredPixels(int count, unsigned seed) {
    std::vector<Rect16> pixels;
    for (int v = 0; v < kHeight; v += 2) {
        for (int h = 0; h < kWidth; h += 2) pixels.push_back(Rect16{i16(h), i16(v), i16(h + 1), i16(v + 1)});
    }
    std::shuffle(pixels.begin(), pixels.end(), std::mt19937(seed));
    pixels.resize(size_t(count));
    return pixels;
}

struct Engine {
    Engine() { memInit(0, 512); }
    ~Engine() { memShutdown(); }
};

// The same rectangles moved down and right, so that every one meets its original.
std::vector<Rect16> shifted(std::vector<Rect16> rects) {
    for (Rect16& r : rects) r = Rect16{i16(r.left + 16), i16(r.top + 16), i16(r.right + 16), i16(r.bottom + 16)};
    return rects;
}

memHandle regionOf(const std::vector<Rect16>& rects) {
    memHandle rgn = rgnCreate();
    for (const Rect16& r : rects) rgnUnionRect(rgn, r);
    return rgn;
}

class Grid {
public:
    void clear() { std::memset(pixels_.data(), 0, pixels_.size()); }
    void paint(const Rect16& r) {
        for (int v = r.top; v < r.bottom; ++v) std::memset(&pixels_[size_t(v) * kWidth + r.left], 1, size_t(r.right - r.left));
    }
    void intersect(const Grid& a, const Grid& b) {
        for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = a.pixels_[i] & b.pixels_[i];
    }
    const u8* data() const { return pixels_.data(); }
    bool operator==(const Grid& other) const { return pixels_ == other.pixels_; }
    static Grid of(memHandle rgn) {
        Grid grid;
        const auto* record = static_cast<const RegionRecord*>(memDerefHandle(rgn));
        for (u16 i = 0; i < record->count; ++i) grid.paint(rgnRects(record)[i]);
        return grid;
    }

private:
    std::vector<u8> pixels_ = std::vector<u8>(size_t(kWidth) * kHeight, 0);
};

void unionOf(benchmark::State& state, const std::vector<Rect16>& rects) {
    Engine engine;
    memHandle rgn = rgnCreate();
    int failures = 0;
    for (auto _ : state) {
        rgnSetEmpty(rgn);
        for (const Rect16& r : rects) failures += rgnUnionRect(rgn, r) != kErrNone;
        benchmark::DoNotOptimize(memDerefHandle(rgn));
    }
    state.counters["rects"] = static_cast<const RegionRecord*>(memDerefHandle(rgn))->count;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    Grid expected;
    for (const Rect16& r : rects) expected.paint(r);
    if (failures != 0) state.SkipWithError("a union failed");
    else if (!(Grid::of(rgn) == expected)) state.SkipWithError("the union covers other pixels than the grid");
    rgnDispose(rgn);
}

void gridUnionOf(benchmark::State& state, const std::vector<Rect16>& rects) {
    Grid grid;
    for (auto _ : state) {
        grid.clear();
        for (const Rect16& r : rects) grid.paint(r);
        benchmark::DoNotOptimize(grid.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void RegionUnion(benchmark::State& state) { unionOf(state, randomRects(int(state.range(0)), 1)); }
void GridUnion(benchmark::State& state) { gridUnionOf(state, randomRects(int(state.range(0)), 1)); }
void RegionUnionOfPixels(benchmark::State& state) { unionOf(state, scatteredPixels(int(state.range(0)), 1)); }
void GridUnionOfPixels(benchmark::State& state) { gridUnionOf(state, scatteredPixels(int(state.range(0)), 1)); }

// The least a union that leaves its list whole after every call must do with pixels that
// touch nothing: find each one's place by halving and move the rest of the list up for it.
void SortedInsertOfPixels(benchmark::State& state) {
    const std::vector<Rect16> pixels = scatteredPixels(int(state.range(0)), 1);
    std::vector<Rect16> list;
    for (auto _ : state) {
        list.clear();
        for (const Rect16& p : pixels) {
            list.insert(std::upper_bound(list.begin(), list.end(), p,
                                         [](const Rect16& a, const Rect16& b) {
                                             return a.top < b.top || (a.top == b.top && a.left < b.left);
                                         }),
                        p);
        }
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void RegionIntersect(benchmark::State& state) {
    Engine engine;
    std::vector<Rect16> rects = randomRects(int(state.range(0)), 1);
    memHandle a = regionOf(rects);
    memHandle b = regionOf(shifted(rects));
    memHandle work = rgnCreate();
    int failures = 0;
    for (auto _ : state) {
        failures += rgnCopy(work, a) != kErrNone;
        failures += rgnIntersect(work, b) != kErrNone;
        benchmark::DoNotOptimize(memDerefHandle(work));
    }
    state.counters["rects"] = static_cast<const RegionRecord*>(memDerefHandle(work))->count;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    Grid first, second, expected;
    for (const Rect16& r : rects) first.paint(r);
    for (const Rect16& r : shifted(rects)) second.paint(r);
    expected.intersect(first, second);
    if (failures != 0) state.SkipWithError("an intersection failed");
    else if (!(Grid::of(work) == expected)) state.SkipWithError("the intersection covers other pixels than the grid");
    for (memHandle rgn : {a, b, work}) rgnDispose(rgn);
}

void GridIntersect(benchmark::State& state) {
    Grid a, b, out;
    std::vector<Rect16> rects = randomRects(int(state.range(0)), 1);
    for (const Rect16& r : rects) a.paint(r);
    for (const Rect16& r : shifted(rects)) b.paint(r);
    for (auto _ : state) {
        out.intersect(a, b);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The sizes of the scaling curve, each measured on both sides.
void sizes(benchmark::internal::Benchmark* bench) {
    for (int count : {10, 100, 1000, 5000, 10000, 20000, 40000}) bench->Arg(count);
}

BENCHMARK(RegionUnion)->Apply(sizes);
BENCHMARK(GridUnion)->Apply(sizes);
BENCHMARK(RegionUnionOfPixels)->Apply(sizes);
BENCHMARK(GridUnionOfPixels)->Apply(sizes);
BENCHMARK(SortedInsertOfPixels)->Apply(sizes);
BENCHMARK(RegionIntersect)->Apply(sizes);
BENCHMARK(GridIntersect)->Apply(sizes);

}  // namespace
