#include "engine/regions/RegionUnionList.h"

#include <cstring>

#include "engine/regions/RegionScans.h"
#include "engine/regions/RegionStorage.h"

RegionUnionList::RegionUnionList(memHandle rgn, RegionRecord* record)
    : rgn_(rgn), record_(record), count_(record->count), gapAt_(record->count) {
    keep();
}

void RegionUnionList::keep() {
    edits_.resize(0);
    changeLimit_ = 64 * u32(count_ + 64);
}

EngineErr RegionUnionList::room(u32 n) {
    if (edits_.size() + n > changeLimit_) return kRgnErrBadRegion;
    return edits_.reserve(edits_.size() + n);
}

void RegionUnionList::moveGap(int to) {
    const int gapSize = gap();
    if (gapSize != 0 && to < gapAt_) {
        std::memmove(slots() + to + gapSize, slots() + to, size_t(gapAt_ - to) * sizeof(Rect16));
    } else if (gapSize != 0 && to > gapAt_) {
        std::memmove(slots() + gapAt_, slots() + gapAt_ + gapSize, size_t(to - gapAt_) * sizeof(Rect16));
    }
    gapAt_ = to;
}

void RegionUnionList::removeAt(int i) {
    moveGap(i);
    --count_;
    forgetFrom(i);
}

// Within the capacity.
void RegionUnionList::insertAt(int i, const Rect16& r) {
    moveGap(i);
    slots()[gapAt_++] = r;
    ++count_;
    forgetFrom(i);
}

EngineErr RegionUnionList::remove(int i) {
    if (EngineErr error = room(1)) return error;
    edits_.push(Edit{kRemoved, i, (*this)[i]});
    removeAt(i);
    return kErrNone;
}

EngineErr RegionUnionList::insert(int i, const Rect16& r) {
    if (EngineErr error = room(1)) return error;
    if (count_ == record_->capacity) {
        // Without a gap the list lies whole at the start of the block; the new slots make
        // the gap at its end.
        gapAt_ = count_;
        if (EngineErr error = rgnResizeSlots(rgn_, &record_, u32(record_->capacity) + kRgnSlotGrowth)) return error;
    }
    insertAt(i, r);
    edits_.push(Edit{kInserted, i, r});
    return kErrNone;
}

EngineErr RegionUnionList::replace(int from, int at, const Rect16& r) {
    if (EngineErr error = room(2)) return error;
    edits_.push(Edit{kRemoved, from, (*this)[from]});
    edits_.push(Edit{kInserted, at, r});
    removeAt(from);
    insertAt(at, r);
    return kErrNone;
}

EngineErr RegionUnionList::setBottom(int i, i16 bottom) {
    if (EngineErr error = room(1)) return error;
    Rect16& s = slot(i);
    edits_.push(Edit{kBottom, i, s});
    s.bottom = bottom;
    if (i / kRun < indexed_) lowest_[size_t(i / kRun)] = std::max(lowest_[size_t(i / kRun)], bottom);
    return kErrNone;
}

void RegionUnionList::takeBack() {
    for (u32 k = edits_.size(); k-- > 0;) {
        const Edit& e = edits_.data()[k];
        switch (e.kind) {
        case kRemoved: insertAt(e.index, e.before); break;
        case kInserted: removeAt(e.index); break;
        case kBottom:
            slot(e.index) = e.before;
            forgetFrom(e.index);
            break;
        }
    }
    edits_.resize(0);
}

void RegionUnionList::close() {
    moveGap(count_);
    record_->count = u16(count_);
}

i16 RegionUnionList::lowestEdge(int from, int to) const {
    if (to <= gapAt_) return rgnLowestEdge(slots() + from, to - from);
    if (from >= gapAt_) return rgnLowestEdge(slots() + from + gap(), to - from);
    return std::max(rgnLowestEdge(slots() + from, gapAt_ - from), rgnLowestEdge(slots() + gapAt_ + gap(), to - gapAt_));
}

int RegionUnionList::scanStart(i16 top) {
    int run = 0;
    while (run < indexed_ && lowest_[size_t(run)] < top) ++run;
    if (run < indexed_) return run * kRun;
    for (; run * kRun < count_; ++run) {
        const i16 lowest = lowestEdge(run * kRun, std::min(count_, run * kRun + kRun));
        lowest_[size_t(run)] = lowest;
        indexed_ = run + 1;
        if (lowest >= top) return run * kRun;
    }
    return count_;
}

int RegionUnionList::skipPassing(int from, const Rect16& r, bool placing) const {
    if (from < gapAt_) {
        from = rgnSkipPassing(slots(), from, gapAt_, r, placing);
        if (from < gapAt_) return from;
    }
    const int gapSize = gap();
    return rgnSkipPassing(slots(), from + gapSize, count_ + gapSize, r, placing) - gapSize;
}
