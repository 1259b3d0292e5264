// Intersecting a region with rectangles given in region order (top first). The pieces go
// into a new region, which then takes the place of the old one's block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/regions/RegionColumnJoin.h"
#include "engine/regions/RegionPairPieces.h"
#include "engine/regions/RegionScratch.h"
#include "engine/regions/RegionStorage.h"
#include "engine/regions/Regions.h"

namespace {

// The most rectangles a result keeps: one more would need a slot count past what the record
// holds. The pieces found before joining may be more; they live in scratch space until then.
constexpr u32 kMaxKept = 0xFFFF / kRgnSlotGrowth * kRgnSlotGrowth;

// Below this many pieces, the rectangle each one joins is scanned for; from it on, looked up.
constexpr u32 kRowIndexFrom = 64;

// std::partition_point's probes, in the same order (so that a damaged list that is not
// partitioned gives the same answer), with each half chosen by mask rather than a branch:
// the searches here are short and their outcomes random.
template <class T, class Pred>
T* partitionPoint(T* first, T* last, Pred pred) {
    ptrdiff_t length = last - first;
    while (length > 0) {
        const ptrdiff_t half = length >> 1;
        const ptrdiff_t right = -ptrdiff_t(pred(first[half]));
        first += (half + 1) & right;
        length = ((length - half - 1) & right) | (half & ~right);
    }
    return first;
}

// The first rectangle of `rects` (in region order) after `upper` that it joins: top at its
// bottom, the same left and right, not joined already; or null. rowStart[t - firstTop] is the
// first rectangle whose top is t or more. A damaged list can hold several of one top and left,
// which rgnMergeRects passes over in order until one has the right that matches.
Rect16* joinTarget(Rect16* rects, const u32* rowStart, i32 firstTop, i32 lastTop, const Rect16* upper) {
    const i16 top = upper->bottom, left = upper->left;
    if (top < firstTop || top > lastTop) return nullptr;
    Rect16* rowBegin = rects + rowStart[top - firstTop];
    Rect16* rowEnd = rects + rowStart[top - firstTop + 1];
    for (Rect16* at = partitionPoint(rowBegin, rowEnd, [left](const Rect16& r) { return r.left < left; });
         at != rowEnd && at->left == left; ++at) {
        if (at > upper && at->right == upper->right) return at;
    }
    return nullptr;
}

// Joins vertically touching rectangles of equal left and right in a list in region order,
// as rgnMergeRects does, then recomputes the bounds; returns the count kept, or the memory
// manager's error in `error`. A rectangle can join only the one whose top is its bottom and
// whose left is its left, and rectangles that do not overlap share no top and left: in long
// lists that one is looked up through an index by row rather than scanned for. Joined ones
// are marked (right = left, which no rectangle of a region has) and the gaps closed in one
// pass at the end, rather than the rest moved down at each join.
u32 mergeAndCompact(Rect16* rects, u32 count, Rect16* bounds, EngineErr* error) {
    *error = kErrNone;
    Rect16* end = rects + count;
    if (count < kRowIndexFrom) {
        for (Rect16* upper = rects; upper != end; ++upper) {
            if (upper->left == upper->right) continue;
            for (Rect16* below = upper + 1; below != end && below->top <= upper->bottom; ++below) {
                if (below->top == upper->bottom && below->left == upper->left && below->right == upper->right) {
                    upper->bottom = below->bottom;
                    below->right = below->left;
                }
            }
        }
    } else {
        const i32 firstTop = rects[0].top, lastTop = rects[count - 1].top;
        RegionScratch<u32> rowStart;
        *error = rowStart.reserve(u32(lastTop - firstTop) + 2);
        if (*error != kErrNone) return 0;
        u32* starts = rowStart.data();
        bool ordered = true;
        for (u32 i = 1; i < count; ++i) ordered &= rects[i - 1].top <= rects[i].top;
        if (ordered) {
            // Rows counted, then summed: rowStart[t - firstTop] is the count of tops above t.
            std::fill(starts, starts + (lastTop - firstTop) + 2, 0u);
            for (u32 i = 0; i < count; ++i) ++starts[rects[i].top - firstTop + 1];
            for (i32 t = 1; t <= lastTop - firstTop + 1; ++t) starts[t] += starts[t - 1];
        } else {
            u32 at = 0;
            for (i32 t = firstTop; t <= lastTop + 1; ++t) {
                while (at < count && rects[at].top < t) ++at;
                starts[t - firstTop] = at;
            }
        }
        for (Rect16* upper = rects; upper != end; ++upper) {
            if (upper->left == upper->right) continue;
            while (Rect16* below = joinTarget(rects, rowStart.data(), firstTop, lastTop, upper)) {
                upper->bottom = below->bottom;
                below->right = below->left;
            }
        }
    }
    // The joined ones are closed out in one pass without a branch each, then the bounds of
    // what stays taken as minima and maxima, as long as no empty rectangle (from a damaged
    // region) is kept.
    u32 kept = 0;
    for (u32 i = 0; i < count; ++i) {
        rects[kept] = rects[i];
        kept += rects[i].left != rects[i].right;
    }
    i16 left = INT16_MAX, top = INT16_MAX, right = INT16_MIN, bottom = INT16_MIN;
    bool emptyKept = false;
    for (u32 i = 0; i < kept; ++i) {
        const Rect16& r = rects[i];
        emptyKept |= (r.left > r.right) | (r.top >= r.bottom);
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    if (kept == 0) {
        *bounds = Rect16{};
    } else if (!emptyKept) {
        *bounds = Rect16{left, top, right, bottom};
    } else {
        *bounds = rects[0];
        for (u32 i = 1; i < kept; ++i) rectUnion(bounds, rects[i]);
    }
    return kept;
}

// The slots the result block ends with: what inserting the pieces one by one grew it to (at
// most what a block holds), given back down to what rgnShrinkSlots keeps.
u32 resultSlots(u32 pieces, u32 kept) {
    const u32 grown = std::min(kMaxKept, kRgnSlotGrowth * std::max<u32>(1, (pieces + kRgnSlotGrowth - 1) / kRgnSlotGrowth));
    return std::min(grown, kRgnSlotGrowth * (kept / kRgnSlotGrowth + 1));
}

// The rectangles of one list that started on or above the sweep's current row, ordered by
// left. Once passRow has dropped the ones that ended, they all contain the row, and those of
// one region that share a row do not overlap, so they are ordered by right as well.
class ActiveRects {
public:
    // Drops the rectangles that end at or above row y.
    void passRow(i32 y) {
        if (y < nextEnd_) return;
        Rect16* rects = rects_.data();
        u32 kept = 0;
        nextEnd_ = INT32_MAX;
        for (u32 i = 0; i < rects_.size(); ++i) {
            const i32 stays = rects[i].bottom > y;
            rects[kept] = rects[i];
            kept += u32(stays);
            // A rectangle that ends here offers INT32_MAX, chosen by mask rather than a branch.
            const i32 gone = stays - 1;
            nextEnd_ = std::min<i32>(nextEnd_, (i32(rects[i].bottom) & ~gone) | (INT32_MAX & gone));
        }
        rects_.resize(kept);
    }
    EngineErr add(const Rect16& r) {
        EngineErr error = rects_.reserve(rects_.size() + 1);
        if (error != kErrNone) return error;
        Rect16* rects = rects_.data();
        Rect16* at = partitionPoint(rects, rects + rects_.size(), [&r](const Rect16& a) { return a.left < r.left; });
        std::memmove(at + 1, at, size_t(rects + rects_.size() - at) * sizeof(Rect16));
        *at = r;
        rects_.resize(rects_.size() + 1);
        nextEnd_ = std::min<i32>(nextEnd_, r.bottom);
        return kErrNone;
    }
    // Adds to `pieces` where r, which starts on the current row, meets the rectangles here;
    // passRow(r.top) first.
    EngineErr meet(const Rect16& r, RegionScratch<Rect16>& pieces) const {
        const Rect16* rects = rects_.data();
        const Rect16* end = rects + rects_.size();
        for (const Rect16* k = partitionPoint(rects, end, [&r](const Rect16& a) { return a.right <= r.left; });
             k != end && k->left < r.right; ++k) {
            EngineErr error = pieces.push(Rect16{std::max(k->left, r.left), r.top, std::min(k->right, r.right),
                                                 std::min(k->bottom, r.bottom)});
            if (error != kErrNone) return error;
        }
        return kErrNone;
    }
    bool empty() const { return rects_.size() == 0; }

private:
    RegionScratch<Rect16> rects_;
    i32 nextEnd_ = INT32_MAX;
};

// From this many given rectangles on, the pieces are found by the sweep.
constexpr u16 kSweepFrom = 256;

// Each given rectangle against the region's rectangles that can reach it: in top order,
// those starting after its top less the tallest (the earlier ones end above it) and before
// its bottom. The pieces come in no useful order.
EngineErr piecesByPairs(const Rect16* rects, const Rect16* end, i32 tallest, const Rect16* given, u16 n,
                        RegionScratch<Rect16>& pieces) {
    for (const Rect16* r = given; r != given + n; ++r) {
        const i32 firstTop = i32(r->top) - tallest;
        const Rect16* k = std::partition_point(rects, end, [firstTop](const Rect16& a) { return a.top <= firstTop; });
        for (; k != end && k->top < r->bottom; ++k) {
            if (k->bottom <= r->top || k->right <= r->left || k->left >= r->right) continue;
            EngineErr error = pieces.push(Rect16{std::max(k->left, r->left), std::max(k->top, r->top),
                                                 std::min(k->right, r->right), std::min(k->bottom, r->bottom)});
            if (error != kErrNone) return error;
        }
    }
    return kErrNone;
}

// A sweep down both lists in top order: each rectangle, on the row where it starts, meets
// the rectangles of the other list that contain that row, and so every pair that overlaps is
// met once, by the one of the two that starts later (the region's first on equal tops). Each
// piece starts on the row of the rectangle whose start met it, so the pieces come in top
// order.
EngineErr piecesBySweep(const Rect16* rects, const Rect16* end, i32 tallest, const Rect16* given, u16 n,
                        RegionScratch<Rect16>& pieces) {
    ActiveRects activeOwn, activeGiven;
    // Rectangles ending above the first given one meet none.
    const i32 firstTop = i32(given[0].top) - tallest;
    const Rect16* own = std::partition_point(rects, end, [firstTop](const Rect16& a) { return a.top <= firstTop; });
    const Rect16* next = given;
    const Rect16* givenEnd = given + n;
    for (;;) {
        const bool fromOwn = own != end && (next == givenEnd || own->top <= next->top);
        if (!fromOwn && next == givenEnd) return kErrNone;
        const Rect16& r = fromOwn ? *own : *next;
        // Only the list r meets must be down to the rectangles on r's row; the one r joins
        // keeps its order by left with ended rectangles in it.
        EngineErr error = kErrNone;
        if (fromOwn) {
            activeGiven.passRow(r.top);
            // With every given rectangle placed and gone, nothing further meets.
            if (next == givenEnd && activeGiven.empty()) return kErrNone;
            error = activeGiven.meet(r, pieces);
            if (error == kErrNone && next != givenEnd) error = activeOwn.add(r);
            ++own;
        } else {
            activeOwn.passRow(r.top);
            error = activeOwn.meet(r, pieces);
            if (error == kErrNone) error = activeGiven.add(r);
            ++next;
        }
        if (error != kErrNone) return error;
    }
}

// Writes the `kept` rectangles, joined from `pieces` pieces, to the new region's block once.
EngineErr writeResult(memHandle out, const Rect16* kept, u32 count, u32 pieces, const Rect16& bounds) {
    if (count > kMaxKept) return kMemErrOutOfMemory;
    auto* result = static_cast<RegionRecord*>(memDerefHandle(out));
    const u32 slots = resultSlots(pieces, count);
    if (slots != result->capacity) {
        EngineErr error = rgnResizeSlots(out, &result, slots);
        if (error != kErrNone) return error;
    }
    if (count != 0) std::memcpy(rgnRects(result), kept, count * sizeof(Rect16));
    result->count = u16(count);
    result->bounds = bounds;
    return kErrNone;
}

// The pieces are gathered in a scratch array, joined and put in region order (long lists are
// joined first, so that only the pieces kept are sorted), and written to the new region's
// block once. Lists in top order with no empty rectangle, as every region built here is, are
// paired eight rectangles at a time; others (damaged stored regions) are scanned as before,
// so that they keep their results.
EngineErr collectPieces(const RegionRecord* region, const Rect16* given, u16 n, memHandle out) {
    const Rect16* rects = rgnRects(region);
    RegionScratch<Rect16> found, pieces;
    bool done = false;
    RgnPieceRows rows{};
    EngineErr error = rgnFindPieces(rects, region->count, given, n, found, &rows, &done);
    if (error != kErrNone) return error;
    if (done) {
        RgnJoinEnd joinEnd = RgnJoinEnd::tooSpread;
        Rect16 bounds{};
        u32 kept = 0;
        if (found.size() >= kRowIndexFrom) {
            // Long lists are joined through a table by left in the order the pieces are found,
            // which keeps those of each left in top order as long as neither list overlaps
            // itself, and only the pieces kept are put in region order.
            error = rgnJoinColumns(found.data(), found.size(), &kept, &bounds, &joinEnd);
            if (error == kErrNone && joinEnd == RgnJoinEnd::joined)
                error = rgnSortPieces(found.data(), kept, bounds.top, bounds.bottom - 1, pieces);
            if (error != kErrNone) return error;
            if (joinEnd == RgnJoinEnd::joined) return writeResult(out, pieces.data(), kept, found.size(), bounds);
        }
        if (joinEnd == RgnJoinEnd::overlapping) {
            // Partly joined: the pieces are found again in region order and joined through the
            // table, or when it refuses them there too, found once more for the merge.
            error = rgnPairPieces(rects, region->count, given, n, pieces, &done);
            if (error == kErrNone) error = rgnJoinColumns(pieces.data(), pieces.size(), &kept, &bounds, &joinEnd);
            if (error == kErrNone && joinEnd != RgnJoinEnd::joined) error = rgnPairPieces(rects, region->count, given, n, pieces, &done);
        } else if (found.size() != 0) {
            error = rgnSortPieces(found.data(), found.size(), rows.first, rows.last, pieces);
        }
        if (error == kErrNone && joinEnd != RgnJoinEnd::joined) kept = mergeAndCompact(pieces.data(), pieces.size(), &bounds, &error);
        if (error != kErrNone) return error;
        return writeResult(out, pieces.data(), kept, found.size(), bounds);
    }
    const Rect16* end = rects + region->count;
    i32 tallest = 0;
    for (const Rect16* k = rects; k != end; ++k) tallest = std::max(tallest, i32(k->bottom) - k->top);
    const bool sweep = n >= kSweepFrom;
    error = sweep ? piecesBySweep(rects, end, tallest, given, n, pieces)
                            : piecesByPairs(rects, end, tallest, given, n, pieces);
    if (error != kErrNone) return error;
    // Pieces of a region do not overlap, so no two share a top and a left: region order is
    // one order. The sweep's pieces need it only within each run of one top.
    Rect16* const piecesEnd = pieces.data() + pieces.size();
    // A stable sort keeps a damaged region's duplicate pieces in the order they were found.
    if (!sweep) {
        std::stable_sort(pieces.data(), piecesEnd, [](const Rect16& a, const Rect16& b) {
            return a.top < b.top || (a.top == b.top && a.left < b.left);
        });
    }
    // A run already rising by left is its own sorted order: only runs out of order are
    // sorted, each as a whole.
    for (Rect16* at = pieces.data() + 1; sweep && at < piecesEnd; ++at) {
        if (!(at->top == at[-1].top && at->left <= at[-1].left)) continue;
        Rect16* run = at - 1;
        while (run != pieces.data() && run[-1].top == at->top) --run;
        Rect16* runEnd = at + 1;
        while (runEnd != piecesEnd && runEnd->top == at->top) ++runEnd;
        std::sort(run, runEnd, [](const Rect16& a, const Rect16& b) { return a.left < b.left; });
        at = runEnd - 1;
    }
    Rect16 bounds{};
    const u32 kept = mergeAndCompact(pieces.data(), pieces.size(), &bounds, &error);
    if (error != kErrNone) return error;
    return writeResult(out, pieces.data(), kept, pieces.size(), bounds);
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
