#include "engine/regions/RegionRowSweep.h"

#include <algorithm>
#include <cstdint>

namespace {

// The rectangles of one list that contain the sweep's row, ordered by left. Those of one
// region do not overlap, so they are ordered by right as well.
class RowRects {
public:
    EngineErr reserve(u32 count) {
        EngineErr error = buffers_[0].reserve(count);
        return error == kErrNone ? buffers_[1].reserve(count) : error;
    }
    // Moves to row y: drops the rectangles that end at or above it and takes in the run
    // [first, last) of the list, the ones starting on it (in order by left). False when two
    // rectangles here overlap. Each rectangle's place is counted rather than searched for,
    // so that no step waits on the one before.
    bool advance(i32 y, const Rect16* first, const Rect16* last) {
        // Runs of up to four, nearly all of them, are taken in with the dropping in one pass.
        switch (last - first) {
        case 1: return advanceShort<1>(y, first);
        case 2: return advanceShort<2>(y, first);
        case 3: return advanceShort<3>(y, first);
        case 4: return advanceShort<4>(y, first);
        default: break;
        }
        Rect16* rects = buffers_[current_].data();
        if (y >= nextEnd_) {
            u32 kept = 0;
            i32 nextEnd = INT32_MAX;
            for (u32 i = 0; i < size_; ++i) {
                const bool stays = rects[i].bottom > y;
                rects[kept] = rects[i];
                kept += u32(stays);
                nextEnd = std::min(nextEnd, stays ? i32(rects[i].bottom) : INT32_MAX);
            }
            size_ = kept;
            nextEnd_ = nextEnd;
        }
        if (first == last) return true;
        const u32 runSize = u32(last - first);
        Rect16* merged = buffers_[current_ ^ 1].data();
        // On equal lefts (overlapping rectangles) the run's goes first, so that the places
        // stay distinct.
        for (u32 t = 0; t < runSize; ++t) {
            u32 place = t;
            for (u32 i = 0; i < size_; ++i) place += u32(rects[i].left < first[t].left);
            merged[place] = first[t];
            nextEnd_ = std::min<i32>(nextEnd_, first[t].bottom);
        }
        for (u32 i = 0; i < size_; ++i) {
            u32 place = i;
            for (u32 t = 0; t < runSize; ++t) place += u32(first[t].left <= rects[i].left);
            merged[place] = rects[i];
        }
        current_ ^= 1;
        size_ += runSize;
        bool apart = true;
        for (u32 k = 1; k < size_; ++k) apart &= merged[k - 1].right <= merged[k].left;
        return apart;
    }
    const Rect16* data() { return buffers_[current_].data(); }
    u32 size() const { return size_; }

private:
    // advance() for a short run in one pass: each rectangle that stays goes to the count of
    // those kept before it, further on by the run's rectangles left of it. One that goes is
    // written where a later one or one of the run's will be. The run's length is a constant
    // of each instance, so that the counts stay in registers.
    template <u32 runSize>
    bool advanceShort(i32 y, const Rect16* run) {
        const Rect16* rects = buffers_[current_].data();
        Rect16* merged = buffers_[current_ ^ 1].data();
        u32 kept = 0;
        u32 before[runSize] = {};
        i32 nextEnd = INT32_MAX;
        for (u32 i = 0; i < size_; ++i) {
            const Rect16 e = rects[i];
            const bool stays = e.bottom > y;
            u32 after = 0;
            for (u32 t = 0; t < runSize; ++t) {
                // On equal lefts (overlapping rectangles) the run's goes first, so that the
                // places stay distinct.
                after += u32(run[t].left <= e.left);
                before[t] += u32(stays & (e.left < run[t].left));
            }
            merged[kept + after] = e;
            kept += u32(stays);
            nextEnd = std::min(nextEnd, stays ? i32(e.bottom) : INT32_MAX);
        }
        for (u32 t = 0; t < runSize; ++t) {
            merged[before[t] + t] = run[t];
            nextEnd = std::min<i32>(nextEnd, run[t].bottom);
        }
        current_ ^= 1;
        size_ = kept + runSize;
        nextEnd_ = nextEnd;
        // The ones kept were apart before the run came: any overlap has one of the run's on
        // one side of a neighbouring pair.
        bool apart = true;
        for (u32 t = 0; t < runSize; ++t) {
            const u32 at = before[t] + t;
            apart &= (at == 0 || merged[at - 1].right <= merged[at].left) & (at + 1 == size_ || merged[at].right <= merged[at + 1].left);
        }
        return apart;
    }

    RegionScratch<Rect16> buffers_[2];
    int current_ = 0;
    u32 size_ = 0;
    i32 nextEnd_ = INT32_MAX;
};

// The end of the run of rectangles from `at` whose top is `top`. Sets *faults when the run is
// not in order by left or the next rectangle starts above its row: the list is not in
// region order.
const Rect16* runEnd(const Rect16* at, const Rect16* end, i32 top, u32* faults) {
    i32 lastLeft = INT32_MIN;
    for (; at != end && at->top == top; ++at) {
        *faults |= u32(at->left <= lastLeft);
        lastLeft = at->left;
    }
    *faults |= u32(at != end && at->top < top);
    return at;
}

// Whether the rectangles [at, end) are in region order.
bool inRegionOrder(const Rect16* at, const Rect16* end) {
    // Top above left in one unsigned key, each moved to start at 0.
    auto key = [](const Rect16& r) { return u32(u16(r.top) ^ 0x8000u) << 16 | (u16(r.left) ^ 0x8000u); };
    u32 faults = 0;
    for (const Rect16* r = at + 1; r < end; ++r) faults |= u32(key(r[-1]) >= key(*r));
    return faults == 0;
}

// The pieces being gathered, joined as they come: a piece that starts where one of equal
// left and right ends extends that one. Pieces of lists whose rectangles do not overlap do
// not overlap either, so the only one that can end where a piece starts, at its left, is
// the last one kept at that left: endsAt[left - firstLeft] holds where it ends, its right
// and the index of the piece it extends.
class JoinedPieces {
public:
    explicit JoinedPieces(RegionScratch<Rect16>& kept) : kept_(kept) {}
    // Pieces will have lefts from firstLeft up to lastLeft.
    EngineErr start(i32 firstLeft, i32 lastLeft) {
        firstLeft_ = firstLeft;
        const u32 columns = u32(lastLeft - firstLeft) + 1;
        EngineErr error = endsAt_.reserve(columns);
        if (error != kErrNone) return error;
        // No piece's right is the least there is.
        std::fill(endsAt_.data(), endsAt_.data() + columns, ChainEnd{INT16_MIN, INT16_MIN, 0});
        return kErrNone;
    }
    // Room for `count` more pieces.
    EngineErr reserve(u32 count) { return kept_.reserve(kept_.size() + count); }
    // Takes a piece, in region order, within the room reserved.
    void take(const Rect16& piece) {
        Rect16* kept = kept_.data();
        const u32 next = kept_.size();
        ChainEnd& end = endsAt_.data()[piece.left - firstLeft_];
        const bool joins = (end.bottom == piece.top) & (end.right == piece.right);
        kept[next] = piece;
        const u32 extended = joins ? end.index : next;
        kept[extended].bottom = piece.bottom;
        end = ChainEnd{piece.bottom, piece.right, extended};
        kept_.resize(next + u32(!joins));
    }

private:
    struct ChainEnd {
        i16 bottom;
        i16 right;
        u32 index;
    };

    RegionScratch<Rect16>& kept_;
    RegionScratch<ChainEnd> endsAt_;
    i32 firstLeft_ = 0;
};

// Gives `joined` the pieces of p with the rectangles [q, to) on row y, in their order by
// left, and returns how many. Those are apart and ordered by left and by right, so the ones
// p overlaps lie between the ones ending left of it and the ones starting right of it, which
// are counted rather than searched for.
u32 meetOne(i32 y, const Rect16& p, const Rect16* q, const Rect16* to, JoinedPieces& joined) {
    const u32 n = u32(to - q);
    u32 first = 0, last = 0;
    for (u32 k = 0; k < n; ++k) {
        first += u32(q[k].right <= p.left);
        last += u32(q[k].left < p.right);
    }
    for (u32 k = first; k < last; ++k)
        joined.take(Rect16{std::max(p.left, q[k].left), i16(y), std::min(p.right, q[k].right), std::min(p.bottom, q[k].bottom)});
    return last - first;
}

// Gives `joined` the pieces on row y of the rectangles there, a and b, in their order by left,
// and returns how many. The ones starting on the row are the runs [aRun, aRunEnd) of a and
// [bRun, bRunEnd) of b; every pair with one of them meets there. The rectangles of each row
// are apart and ordered, so the pieces of one row's rectangles, in its order, each with the
// other row's, are in order by left.
u32 meetRow(i32 y, const Rect16* a, u32 na, const Rect16* aRun, const Rect16* aRunEnd, const Rect16* b, u32 nb,
            const Rect16* bRun, const Rect16* bRunEnd, JoinedPieces& joined) {
    u32 count = 0;
    if (bRun == bRunEnd) {
        for (const Rect16* p = aRun; p != aRunEnd; ++p) count += meetOne(y, *p, b, b + nb, joined);
    } else if (aRun == aRunEnd) {
        for (const Rect16* q = bRun; q != bRunEnd; ++q) count += meetOne(y, *q, a, a + na, joined);
    } else {
        // A starting rectangle of a meets all of b; the others meet only b's run.
        for (const Rect16* p = a; p != a + na; ++p) {
            const bool starts = p->top == y;
            count += meetOne(y, *p, starts ? b : bRun, starts ? b + nb : bRunEnd, joined);
        }
    }
    return count;
}

}  // namespace

EngineErr rgnIntersectByRows(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                             RegionScratch<Rect16>& kept, u32* pieces, bool* done) {
    *done = false;
    *pieces = 0;
    kept.resize(0);
    if (ownCount == 0 || givenCount == 0) {
        *done = true;
        return kErrNone;
    }
    // The pieces lie within both lists' bounds. Whether the lists are in region order is
    // checked as the sweep goes, and for what it leaves at the end.
    i32 lastRow = INT32_MIN, givenBottom = INT32_MIN, firstLeft = INT32_MAX, givenLeft = INT32_MAX;
    i32 lastRight = INT32_MIN, givenRight = INT32_MIN;
    u32 faults = 0;
    for (u32 i = 0; i < ownCount; ++i) {
        lastRow = std::max<i32>(lastRow, own[i].bottom);
        firstLeft = std::min<i32>(firstLeft, own[i].left);
        lastRight = std::max<i32>(lastRight, own[i].right);
        faults |= u32(own[i].left >= own[i].right) | u32(own[i].top >= own[i].bottom);
    }
    for (u32 i = 0; i < givenCount; ++i) {
        givenBottom = std::max<i32>(givenBottom, given[i].bottom);
        givenLeft = std::min<i32>(givenLeft, given[i].left);
        givenRight = std::max<i32>(givenRight, given[i].right);
        faults |= u32(given[i].left >= given[i].right) | u32(given[i].top >= given[i].bottom);
    }
    if (faults != 0) return kErrNone;
    lastRow = std::min(lastRow, givenBottom);
    firstLeft = std::max(firstLeft, givenLeft);
    lastRight = std::min(lastRight, givenRight);
    const i32 firstRow = std::max(own[0].top, given[0].top);
    RowRects ownRow, givenRow;
    JoinedPieces joined(kept);
    EngineErr error = ownRow.reserve(ownCount);
    if (error == kErrNone) error = givenRow.reserve(givenCount);
    if (error == kErrNone) error = joined.start(firstLeft, std::max(firstLeft, lastRight));
    if (error != kErrNone) return error;
    const Rect16 *o = own, *ownEnd = own + ownCount, *g = given, *givenEnd = given + givenCount;
    // Rows below the last of either list's rectangles hold no pieces.
    while (firstRow < lastRow && !(o == ownEnd && g == givenEnd)) {
        const i32 y = std::min(o != ownEnd ? i32(o->top) : INT32_MAX, g != givenEnd ? i32(g->top) : INT32_MAX);
        if (y >= lastRow) break;
        const Rect16* ownRun = o;
        const Rect16* givenRun = g;
        o = runEnd(o, ownEnd, y, &faults);
        g = runEnd(g, givenEnd, y, &faults);
        if (faults != 0 || !ownRow.advance(y, ownRun, o) || !givenRow.advance(y, givenRun, g)) return kErrNone;
        if (ownRow.size() == 0 || givenRow.size() == 0) {
            // With one list placed and gone, nothing further meets.
            if ((o == ownEnd && ownRow.size() == 0) || (g == givenEnd && givenRow.size() == 0)) break;
            continue;
        }
        error = joined.reserve(ownRow.size() + givenRow.size());
        if (error != kErrNone) return error;
        *pieces += meetRow(y, ownRow.data(), ownRow.size(), ownRun, o, givenRow.data(), givenRow.size(), givenRun, g, joined);
    }
    *done = inRegionOrder(o, ownEnd) && inRegionOrder(g, givenEnd);
    return kErrNone;
}
