// Intersecting a region with rectangles given in region order (top first). The pieces go
// into a new region, which then takes the place of the old one's block.
#include "engine/regions/RegionStorage.h"
#include "engine/regions/Regions.h"

namespace {

// The place after every piece whose top is less, or whose top is equal and left not greater.
u16 sortedPlace(const RegionRecord* record, const Rect16& piece) {
    const Rect16* rects = rgnRects(record);
    u16 index = record->count;
    while (index > 0) {
        const Rect16& before = rects[index - 1];
        if (before.top < piece.top || (before.top == piece.top && before.left <= piece.left)) break;
        --index;
    }
    return index;
}

EngineErr collectPieces(const RegionRecord* region, const Rect16* given, u16 n, memHandle out) {
    auto* result = static_cast<RegionRecord*>(memDerefHandle(out));
    const Rect16* rects = rgnRects(region);
    // Rectangles wholly above a given one are above every later one too; only a leading run of
    // them may be skipped, since a tall rectangle can come before short ones already passed.
    u16 start = 0;
    for (u16 g = 0; g < n; ++g) {
        const Rect16& r = given[g];
        for (u16 k = start; k < region->count; ++k) {
            Rect16 piece = rects[k];
            if (piece.bottom <= r.top) {
                if (k == start) ++start;
                continue;
            }
            if (piece.top >= r.bottom) break;
            if (rectIntersect(&piece, r)) {
                EngineErr error = rgnInsertRect(out, &result, sortedPlace(result, piece), piece);
                if (error != kErrNone) return error;
            }
        }
    }
    rgnMergeRects(result);
    rgnShrinkSlots(out, &result);
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
