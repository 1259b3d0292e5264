// Intersecting a region with rectangles given in region order (top first). The pieces go
// into a new region, which then takes the place of the old one's block.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/regions/RegionScratch.h"
#include "engine/regions/RegionStorage.h"
#include "engine/regions/Regions.h"

namespace {

// The highest piece count the region block grows to: one more would need a slot count past
// what the record holds.
constexpr u32 kMaxGrownPieces = 0xFFFF / kRgnSlotGrowth * kRgnSlotGrowth;

// Region order, top then left, as one unsigned key.
u32 orderKey(const Rect16& r) { return (u32(u16(r.top) ^ 0x8000u) << 16) | (u16(r.left) ^ 0x8000u); }
u32 orderKey(i16 top, i16 left) { return orderKey(Rect16{left, top, left, top}); }

// Joins vertically touching rectangles of equal left and right in a list in region order,
// as rgnMergeRects does, then recomputes the bounds; returns the count kept. A rectangle can
// join only the one whose top is its bottom and whose left is its left, and rectangles that
// do not overlap share no top and left: that one is found by a search rather than a scan.
// Joined ones are marked (right = left, which no rectangle of a region has) and the gaps
// closed in one pass at the end, rather than the rest moved down at each join.
u32 mergeAndCompact(Rect16* rects, u32 count, Rect16* bounds) {
    Rect16* end = rects + count;
    for (Rect16* upper = rects; upper != end; ++upper) {
        if (upper->left == upper->right) continue;
        for (Rect16* from = upper + 1;;) {
            const u32 wanted = orderKey(upper->bottom, upper->left);
            Rect16* below = std::partition_point(from, end, [wanted](const Rect16& r) { return orderKey(r) < wanted; });
            if (below == end || below->top != upper->bottom || below->left != upper->left ||
                below->right != upper->right)
                break;
            upper->bottom = below->bottom;
            below->right = below->left;
            from = below + 1;
        }
    }
    u32 kept = 0;
    for (u32 i = 0; i < count; ++i) {
        if (rects[i].left == rects[i].right) continue;
        if (kept == 0) *bounds = rects[i];
        else rectUnion(bounds, rects[i]);
        rects[kept++] = rects[i];
    }
    if (kept == 0) *bounds = Rect16{};
    return kept;
}

// The slots the result block ends with: what inserting the pieces one by one grew it to,
// given back down to what rgnShrinkSlots keeps.
u32 resultSlots(u32 pieces, u32 kept) {
    const u32 grown = kRgnSlotGrowth * std::max<u32>(1, (pieces + kRgnSlotGrowth - 1) / kRgnSlotGrowth);
    return std::min(grown, kRgnSlotGrowth * (kept / kRgnSlotGrowth + 1));
}

// The pieces are gathered in a scratch array, put in region order, joined, and written to
// the new region's block once.
EngineErr collectPieces(const RegionRecord* region, const Rect16* given, u16 n, memHandle out) {
    const Rect16* rects = rgnRects(region);
    const Rect16* end = rects + region->count;
    i32 tallest = 0;
    for (const Rect16* k = rects; k != end; ++k) tallest = std::max(tallest, i32(k->bottom) - k->top);
    RegionScratch pieces;
    const Rect16* from = rects;
    i32 lastFirstTop = INT32_MIN;
    for (u16 g = 0; g < n; ++g) {
        const Rect16& r = given[g];
        // In top order, the rectangles that can meet r start after r.top - tallest (the
        // earlier ones end above r) and before r.bottom. Given rectangles come in top order,
        // so the first candidate only moves on.
        const i32 firstTop = i32(r.top) - tallest;
        if (firstTop < lastFirstTop) from = rects;
        lastFirstTop = firstTop;
        while (from != end && from->top <= firstTop) ++from;
        EngineErr error = pieces.reserve(pieces.size() + u32(end - from));
        if (error != kErrNone) return error;
        // Every candidate's piece is written; only the ones that meet r are kept.
        Rect16* out = pieces.rects() + pieces.size();
        for (const Rect16* k = from; k != end && k->top < r.bottom; ++k) {
            *out = Rect16{std::max(k->left, r.left), std::max(k->top, r.top), std::min(k->right, r.right),
                          std::min(k->bottom, r.bottom)};
            out += (out->left < out->right) & (out->top < out->bottom);
        }
        pieces.resize(u32(out - pieces.rects()));
    }
    if (pieces.size() > kMaxGrownPieces) return kMemErrOutOfMemory;
    // Pieces of a region do not overlap, so no two share a top and a left: any sort gives the
    // one order.
    std::sort(pieces.rects(), pieces.rects() + pieces.size(),
              [](const Rect16& a, const Rect16& b) { return orderKey(a) < orderKey(b); });
    Rect16 bounds{};
    const u32 kept = mergeAndCompact(pieces.rects(), pieces.size(), &bounds);
    auto* result = static_cast<RegionRecord*>(memDerefHandle(out));
    const u32 slots = resultSlots(pieces.size(), kept);
    if (slots != result->capacity) {
        EngineErr error = rgnResizeSlots(out, &result, slots);
        if (error != kErrNone) return error;
    }
    if (kept != 0) std::memcpy(rgnRects(result), pieces.rects(), kept * sizeof(Rect16));
    result->count = u16(kept);
    result->bounds = bounds;
    return kErrNone;
}

EngineErr intersectWith(memHandle rgn, const Rect16* given, u16 n) {
    const auto* region = static_cast<const RegionRecord*>(memLockHandle(rgn));
    if (region == nullptr) return rgnSetError(memGetLastError());
    memHandle out = rgnCreate();
    EngineErr error = out == 0 ? rgnGetLastError() : collectPieces(region, given, n, out);
    memUnlockHandle(rgn);
    if (error == kErrNone) error = memSwapHandles(rgn, out);
    if (out != 0) memFreeHandle(out);
    return rgnSetError(error);
}

}  // namespace

EngineErr rgnIntersectRect(memHandle rgn, const Rect16& r) {
    if (rgnRecordOf(rgn) == nullptr) return kRgnErrBadRegion;
    if (rectIsEmpty(r)) return rgnSetEmpty(rgn);
    return intersectWith(rgn, &r, 1);
}

EngineErr rgnIntersect(memHandle dst, memHandle src) {
    if (rgnRecordOf(dst) == nullptr) return kRgnErrBadRegion;
    const RegionRecord* from = rgnRecordOf(src);
    if (from == nullptr) return kRgnErrBadRegion;
    if (dst == src) return rgnSetError(kErrNone);
    if (from->count == 0) return rgnSetEmpty(dst);
    from = static_cast<const RegionRecord*>(memLockHandle(src));
    if (from == nullptr) return rgnSetError(memGetLastError());
    EngineErr error = intersectWith(dst, rgnRects(from), from->count);
    memUnlockHandle(src);
    return error;
}
