#include "tools/cut/ClipPixels.h"

#include <algorithm>
#include <cstring>

#include "engine/regions/Regions.h"

namespace {

constexpr u8 kStripeRows[8] = {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99};

// Each rectangle of the mask, placed and cut, in target coordinates.
template <class Visit>
void forEachPlaced(const PixelView& target, const PlacedMask& mask, Visit visit) {
    Rect16 cut = mask.limit;
    if (!rectIntersect(&cut, target.Bounds())) return;
    for (Rect16 r : maskRects(mask.region)) {
        rectOffset(&r, mask.at.h, mask.at.v);
        if (rectIntersect(&r, cut)) visit(r);
    }
}

}  // namespace

std::vector<Rect16> maskRects(memHandle region) {
    const auto* record = region ? static_cast<const RegionRecord*>(memDerefHandle(region)) : nullptr;
    if (!record) return {};
    return std::vector<Rect16>(rgnRects(record), rgnRects(record) + record->count);
}

void copyThroughMask(const PixelView& target, const PixelView& source, Point16 sourceAt, const PlacedMask& mask) {
    const Rect16 sourceArea{sourceAt.h, sourceAt.v, i16(sourceAt.h + source.width), i16(sourceAt.v + source.height)};
    forEachPlaced(target, mask, [&](Rect16 r) {
        if (!rectIntersect(&r, sourceArea)) return;
        const size_t bytes = size_t(r.right - r.left) * sizeof(u16);
        for (i32 y = r.top; y < r.bottom; ++y)
            std::memcpy(target.Row(y) + r.left, source.Row(y - sourceAt.v) + (r.left - sourceAt.h), bytes);
    });
}

void fillMask(const PixelView& target, const PlacedMask& mask, u16 pixel) {
    forEachPlaced(target, mask, [&](const Rect16& r) {
        for (i32 y = r.top; y < r.bottom; ++y) std::fill(target.Row(y) + r.left, target.Row(y) + r.right, pixel);
    });
}

void hatchMask(const PixelView& target, const PlacedMask& mask, u8 phase) {
    const u32 turn = phase & 7u;
    forEachPlaced(target, mask, [&](const Rect16& r) {
        for (i32 y = r.top; y < r.bottom; ++y) {
            // Every other row only: the piece stays readable under its stripes.
            if ((y - mask.at.v) & 1) continue;
            const u32 row = kStripeRows[u32(y - mask.at.v) & 7u];
            const u32 stripes = ((row << turn) | (row >> (8 - turn))) & 0xFFu;
            u16* pixels = target.Row(y);
            for (i32 x = r.left; x < r.right; ++x)
                if ((stripes >> (7 - (u32(x - mask.at.h) & 7u))) & 1u) pixels[x] ^= kRgb555White;
        }
    });
}

std::vector<u8> maskBytes(memHandle region, i16 width, i16 height) {
    std::vector<u8> bytes(size_t(std::max<i16>(width, 0)) * size_t(std::max<i16>(height, 0)), 0);
    const Rect16 whole{0, 0, width, height};
    for (Rect16 r : maskRects(region)) {
        if (!rectIntersect(&r, whole)) continue;
        for (i32 y = r.top; y < r.bottom; ++y)
            std::fill_n(bytes.begin() + ptrdiff_t(size_t(y) * size_t(width) + size_t(r.left)), r.right - r.left, u8(1));
    }
    return bytes;
}
