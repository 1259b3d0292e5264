#pragma once
// A region's rectangles while a union changes them. Not for other modules.
//
// Free slots are kept as one gap at the place of the latest change, so that the changes an
// addition makes close together move only the rectangles between them. The gap holds the
// slots freed by removals; an insertion that finds it empty opens it by moving the rest of
// the list up into the block's free slots at its end, one slot the first time and twice as
// many each time after, so that a call that adds about what it removes moves the rest of
// the list once, rather than out to the block's end and back when the list is closed. The
// block grows by 16 slots exactly when inserting into a list as long as its capacity would
// grow it, so growth and its failures come where they would without the gap.
//
// Each run of 16 rectangles passed by a scan keeps a row at or below the lowest edge of the
// runs up to it, so that a later scan can start at the first run reaching its piece's top,
// found by halving: every rectangle before it lies wholly above the piece. The index lives
// only as long as the list, within one call, so that no change made to the region between
// calls can mislead it; the first scan of a call reads the list up to its piece, sixteen
// rectangles at a time.
//
// Every change is recorded before it is made, in room reserved first, so that the changes
// made for one added rectangle can be taken back exactly. A sound list never needs more than
// a few changes per rectangle it holds; a damaged one (rectangles inverted, overlapping or
// out of order) can keep a union cutting and joining the same pieces for ever, so past 64
// changes per rectangle held, plus 64 × 64, a change is refused with kRgnErrBadRegion.
#include <algorithm>
#include <array>

#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/RegionScans.h"
#include "engine/regions/RegionScratch.h"
#include "engine/regions/Regions.h"

class RegionUnionList {
public:
    RegionUnionList(memHandle rgn, RegionRecord* record);
    RegionUnionList(const RegionUnionList&) = delete;
    RegionUnionList& operator=(const RegionUnionList&) = delete;

    RegionRecord* record() { return record_; }
    int count() const { return count_; }
    const Rect16& operator[](int i) const { return slots()[i < gapAt_ ? i : i + gap()]; }

    EngineErr remove(int i);
    EngineErr insert(int i, const Rect16& r);
    // Removes the rectangle at `from` and puts r at `at` (at most `from`).
    EngineErr replace(int from, int at, const Rect16& r);
    EngineErr setBottom(int i, i16 bottom);

    // A start for the scan for a piece whose top is `top`: every rectangle before it has its
    // top and bottom above `top`.
    int scanStart(i16 top);
    // The nearest index before `before` whose rectangle meets r's columns (edges touching
    // count), or -1.
    int lastMeetingColumns(int before, const Rect16& r) const;
    // rgnSkipPassing over the list from `from`, on both sides of the gap.
    int skipPassing(int from, const Rect16& r, int& placeAt) const {
        if (from < gapAt_) {
            from = rgnSkipPassing(slots(), from, gapAt_, r, placeAt);
            if (from < gapAt_) return from;
        }
        const bool open = placeAt < 0;
        from = rgnSkipPassing(slots(), from + gap(), count_ + gap(), r, placeAt) - gap();
        if (open && placeAt >= 0) placeAt -= gap();
        return from;
    }

    // Keeps the changes made so far: they can no longer be taken back.
    void keep();
    // Takes back every change since the last keep, latest first.
    void takeBack();
    // Moves the rectangles after the gap down and sets the count: the record is whole again.
    void close();

private:
    enum Kind : u8 { kRemoved, kInserted, kBottom };
    struct Edit {
        Kind kind;
        int index;
        Rect16 before;
    };
    static constexpr int kRun = 16;

    Rect16* slots() { return rgnRects(record_); }
    const Rect16* slots() const { return rgnRects(record_); }
    Rect16& slot(int i) { return slots()[i < gapAt_ ? i : i + gap()]; }
    int gap() const { return gapSize_; }
    // Room in the record of changes for n more.
    EngineErr room(u32 n);
    void moveGap(int to);
    // Opens an empty gap into the free slots at the block's end: there is one at least.
    void openGap();
    void removeAt(int i);
    void insertAt(int i, const Rect16& r);
    // The runs from the one holding index i on no longer hold what they were taken from.
    void forgetFrom(int i) { indexed_ = std::min(indexed_, i / kRun); }
    int firstReaching(int from, i16 top) const;

    memHandle rgn_;
    RegionRecord* record_;
    int count_;
    int gapAt_;
    int gapSize_ = 0;
    // The size the gap opens to the next time it is empty.
    int opening_ = 1;
    RegionScratch<Edit> edits_;
    u32 changeLimit_;
    // For each of the first `indexed_` runs, a row at or below the lowest edge of it and of
    // every run before it.
    int indexed_ = 0;
    std::array<i16, (0xFFFF + kRun) / kRun + 1> reaching_;
};
