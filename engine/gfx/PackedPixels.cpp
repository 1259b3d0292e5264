#include "engine/gfx/PackedPixels.h"

#include <algorithm>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/PackedRowWalk.h"

namespace {

constexpr i32 kTransparentPlace = -2;
constexpr i32 kNoPlace = -1;

// The place (x, y) in the runs of a walk, or kNoPlace.
i32 pixelFromWalk(bool (*walk)(const u8*, size_t, u32, const GfxPackedRunVisitor&), const u8* data, size_t size,
                  u32 x, u32 y, bool words) {
    i32 found = kNoPlace;
    bool whole = walk(data, size, y + 1, [&](const GfxPackedRun& run) {
        if (run.row != y || x < run.x || x >= run.x + run.count || found != kNoPlace) return;
        found = run.transparent ? kTransparentPlace : run.colourAt(x - run.x, words);
    });
    return whole || found != kNoPlace ? found : kNoPlace;
}

// The std::function visitor of the public walkers: every row, every run.
struct EveryRun {
    const GfxPackedRunVisitor& visit;
    bool row(u32) const { return true; }
    void run(const GfxPackedRun& run) const { visit(run); }
};

}  // namespace

bool gfxWalkPacked8(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit) {
    EveryRun every{visit};
    return gfxWalkPackedRows8(data, size, height, every);
}

bool gfxWalkPacked16(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit) {
    EveryRun every{visit};
    return gfxWalkPackedRows16<true>(data, size, height, every);
}

bool gfxExpandPacked8(const u8* data, size_t size, u16 width, u16 height, u8* out, size_t stride) {
    return gfxWalkPacked8(data, size, height, [&](const GfxPackedRun& run) {
        u8* row = out + run.row * stride;
        u32 last = std::min<u32>(run.x + run.count, width);
        for (u32 x = run.x; x < last; ++x) row[x] = u8(run.colourAt(x - run.x, false));
    });
}

GfxPacked16Result gfxExpandPacked16(const u8* data, size_t size, u16 width, u16 height, u16* out, size_t stride,
                                    bool ownColours, u16 opaqueFill, u16 transparentFill) {
    bool transparent = false;
    std::vector<u32> reached(height, 0);
    bool whole = gfxWalkPacked16(data, size, height, [&](const GfxPackedRun& run) {
        u16* row = out + run.row * stride;
        u32 last = std::min<u32>(run.x + run.count, width);
        reached[run.row] = std::max(reached[run.row], last);
        for (u32 x = run.x; x < last; ++x) {
            if (run.transparent) row[x] = transparentFill;
            else if (!ownColours) row[x] = opaqueFill;
            else row[x] = run.colourAt(x - run.x, true);
        }
        transparent |= run.transparent && run.x < width;
    });
    if (!whole) return GfxPacked16Result::Damaged;
    for (u32 y = 0; y < height; ++y) {
        transparent |= reached[y] < width;
        std::fill(out + y * stride + reached[y], out + y * stride + width, transparentFill);
    }
    return transparent ? GfxPacked16Result::Transparent : GfxPacked16Result::Opaque;
}

i32 gfxPacked8Pixel(const u8* data, size_t size, u32 x, u32 y) { return pixelFromWalk(gfxWalkPacked8, data, size, x, y, false); }

i32 gfxPacked16Pixel(const u8* data, size_t size, u32 x, u32 y) {
    i32 value = pixelFromWalk(gfxWalkPacked16, data, size, x, y, true);
    // Places past a row's last run are transparent too, as long as the row itself was read.
    if (value == kNoPlace && gfxWalkPacked16(data, size, y + 1, [](const GfxPackedRun&) {})) return kTransparentPlace;
    return value;
}
