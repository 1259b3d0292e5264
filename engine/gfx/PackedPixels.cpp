#include "engine/gfx/PackedPixels.h"

#include <algorithm>
#include <vector>

#include "engine/base/ByteOrder.h"

namespace {

constexpr u8 kRepeatRun8 = 0x80;
constexpr u16 kRepeatRun16 = 0x8000;
constexpr size_t kRepeatRun16Bytes = 8;
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

}  // namespace

bool gfxWalkPacked8(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit) {
    const u8* end = data + size;
    for (u32 y = 0; y < height; ++y) {
        if (end - data < 2) return false;
        size_t count = readBE16(data);
        const u8* run = data + 2;
        if (size_t(end - run) < count) return false;
        const u8* rowEnd = run + count;
        u32 x = 0;
        while (run < rowEnd) {
            u8 control = *run++;
            u32 n = u32(control & 0x7F) + 1;
            size_t bytes = (control & kRepeatRun8) ? 1 : n;
            if (size_t(rowEnd - run) < bytes) return false;
            visit(GfxPackedRun{y, x, n, run, bool(control & kRepeatRun8), false});
            run += bytes;
            x += n;
        }
        data = rowEnd;
    }
    return true;
}

bool gfxWalkPacked16(const u8* data, size_t size, u32 height, const GfxPackedRunVisitor& visit) {
    const u8* end = data + size;
    u32 y = 0;
    while (y < height) {
        if (end - data < 4) return false;
        u16 words = readBE16(data), lead = readBE16(data + 2);
        data += 4;
        if (words == 0) {
            for (u32 r = 0; r <= lead && y < height; ++r, ++y) visit(GfxPackedRun{y, 0, 0xFFFF, nullptr, false, true});
            continue;
        }
        if (size_t(end - data) < size_t(words) * 4) return false;
        const u8* rowEnd = data + size_t(words) * 4;
        u32 x = 0;
        if (lead) visit(GfxPackedRun{y, 0, lead, nullptr, false, true});
        x = lead;
        while (data < rowEnd) {
            if (rowEnd - data < 4) return false;
            u16 count = readBE16(data), gap = readBE16(data + 2);
            if (count >= kRepeatRun16) {
                if (size_t(rowEnd - data) < kRepeatRun16Bytes) return false;
                visit(GfxPackedRun{y, x, u32(count - kRepeatRun16), data + 4, true, false});
                x += count - kRepeatRun16;
                data += kRepeatRun16Bytes;
            } else {
                size_t bytes = 4 + ((2u * count + 3) & ~3u);
                if (size_t(rowEnd - data) < bytes) return false;
                visit(GfxPackedRun{y, x, count, data + 4, false, false});
                x += count;
                data += bytes;
            }
            if (gap) visit(GfxPackedRun{y, x, gap, nullptr, false, true});
            x += gap;
        }
        data = rowEnd;
        ++y;
    }
    return true;
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
