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

void marchAnts(const PixelView& target, const std::vector<Point16>& outline, const PlacedMask& mask, u8 phase) {
    Rect16 cut = mask.limit;
    if (!rectIntersect(&cut, target.Bounds())) return;
    const u32 turn = phase & 7u;
    for (const Point16& p : outline) {
        const i32 x = p.h + mask.at.h, y = p.v + mask.at.v;
        if (x < cut.left || x >= cut.right || y < cut.top || y >= cut.bottom) continue;
        const u32 row = kStripeRows[u32(p.v) & 7u];
        const u32 stripes = ((row << turn) | (row >> (8 - turn))) & 0xFFu;
        target.Row(y)[x] = ((stripes >> (7 - (u32(p.h) & 7u))) & 1u) ? kRgb555Black : kRgb555White;
    }
}

std::vector<Point16> maskOutline(memHandle region, i16 width, i16 height) {
    const std::vector<u8> inside = maskBytes(region, width, height);
    const auto in = [&](i32 x, i32 y) {
        return x >= 0 && y >= 0 && x < width && y < height && inside[size_t(y) * size_t(width) + size_t(x)];
    };
    std::vector<Point16> outline;
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x)
            if (in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1)))
                outline.push_back(Point16{i16(x), i16(y)});
    return outline;
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
