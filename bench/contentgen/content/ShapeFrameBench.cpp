// Making a stored shape frame from painted art: the packed 16-bit writer over a frame that is
// mostly art with transparent surroundings and flat colour areas (as buttons and backdrop
// pieces are), against a plain conversion of every place to RGB555 and against one memcpy
// of the raster. Width and height are passed at run time. Every benchmark checks its output
// decodes back to the raster it came from.
#include <benchmark/benchmark.h>

#include <cstring>

#include "contentgen/raster/ArchiveReader.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/ShapeGroupBuilder.h"

namespace {

// A disc of flat colour with a striped band, inside a transparent square.
Raster sampleArt(int width, int height) {
    Raster r(width, height);
    const int cx = width / 2, cy = height / 2, radius = std::min(width, height) * 2 / 5;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > radius * radius) continue;
            const bool band = std::abs(dy) < radius / 4;
            r.pixels[size_t(y) * size_t(width) + size_t(x)] = band ? ((x / 3) % 2 ? 0xFFFF8000u : 0xFF3B2A5Cu) : 0xFF5AB0FFu;
        }
    return r;
}

bool decodesBack(const Raster& art, const std::vector<u8>& group) {
    const auto frames = decodeGroupFrames(group);
    if (!frames || frames->size() != 1) return false;
    const RasterBounds cut = rasterOpaqueBounds(art);
    const Raster& f = frames->front();
    for (int y = cut.top; y < cut.bottom; ++y)
        for (int x = cut.left; x < cut.right; ++x) {
            const u32 want = art.at(x, y), got = f.at(x - cut.left, y - cut.top);
            if ((want == 0) != (got == 0) || (want && rasterTo555(want) != rasterTo555(got))) return false;
        }
    return true;
}

void BM_PackedFrame(benchmark::State& state) {
    const Raster art = sampleArt(int(state.range(0)), int(state.range(1)));
    std::vector<u8> group;
    for (auto _ : state) {
        ShapeGroupBuilder builder;
        builder.addFrame(art, 0, 0);
        group = builder.groupBytes();
        benchmark::DoNotOptimize(group.data());
    }
    if (!decodesBack(art, group)) state.SkipWithError("the packed frame does not decode back to the art");
    state.counters["bytes"] = double(group.size());
}

void BM_PlainConversion(benchmark::State& state) {
    const Raster art = sampleArt(int(state.range(0)), int(state.range(1)));
    std::vector<u8> plain;
    for (auto _ : state) {
        plain = writePlainBitmap16(art);
        benchmark::DoNotOptimize(plain.data());
    }
    if (plain.size() != 8 + art.pixels.size() * 2) state.SkipWithError("the plain picture has the wrong size");
    state.counters["bytes"] = double(plain.size());
}

void BM_Memcpy(benchmark::State& state) {
    const Raster art = sampleArt(int(state.range(0)), int(state.range(1)));
    std::vector<u32> copy(art.pixels.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), art.pixels.data(), copy.size() * sizeof(u32));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    if (copy != art.pixels) state.SkipWithError("the copy differs");
}

BENCHMARK(BM_PackedFrame)->Args({64, 64})->Args({256, 256})->Args({800, 600});
BENCHMARK(BM_PlainConversion)->Args({64, 64})->Args({256, 256})->Args({800, 600});
BENCHMARK(BM_Memcpy)->Args({64, 64})->Args({256, 256})->Args({800, 600});

}  // namespace
