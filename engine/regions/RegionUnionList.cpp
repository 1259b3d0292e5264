#include "engine/regions/RegionUnionList.h"

#include <bit>
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
    if (i / kRun < indexed_ && bottom > reaching_[size_t(i / kRun)]) forgetFrom(i);
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

int RegionUnionList::firstReaching(int from, i16 top) const {
    if (from < gapAt_) {
        from = rgnFirstReaching(slots(), from, gapAt_, top);
        if (from < gapAt_) return from;
    }
    return rgnFirstReaching(slots(), from + gap(), count_ + gap(), top) - gap();
}

int RegionUnionList::scanStart(i16 top) {
    if (indexed_ > 0 && reaching_[size_t(indexed_ - 1)] >= top) {
        // The first run reaching `top`, by halving without branches.
        int low = 0;
        for (int step = std::bit_floor(u32(indexed_)); step > 0; step /= 2) {
            if (low + step <= indexed_ && reaching_[size_t(low + step - 1)] < top) low += step;
        }
        return low * kRun;
    }
    // The index grows only as far as a scan needs it; the last run indexed may be short. The
    // runs passed on the way lie wholly above `top`, which is all a later scan needs to know
    // of them.
    if (indexed_ * kRun >= count_) return count_;
    const int first = firstReaching(indexed_ * kRun, top);
    if (first == count_) return count_;
    const int run = first / kRun;
    const i16 above = top == INT16_MIN ? top : i16(top - 1);
    for (; indexed_ < run; ++indexed_) reaching_[size_t(indexed_)] = above;
    reaching_[size_t(run)] = std::max(above, lowestEdge(run * kRun, std::min(count_, run * kRun + kRun)));
    indexed_ = run + 1;
    return first;
}

int RegionUnionList::lastMeetingColumns(int before, const Rect16& r) const {
    auto meets = [&r](const Rect16& s) { return s.left <= r.right && r.left <= s.right; };
    int p = before - 1;
    for (const int gapSize = gap(); p >= gapAt_; --p) {
        if (meets(slots()[p + gapSize])) return p;
    }
    for (; p >= 0; --p) {
        if (meets(slots()[p])) return p;
    }
    return -1;
}
