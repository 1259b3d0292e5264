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

namespace {

constexpr int kShortMove = 4;

// Moves n rectangles to where they may overlap. Most moves are of a rectangle or two,
// cheaper copied here than through memmove.
void moveRects(Rect16* to, const Rect16* from, int n) {
    if (n <= kShortMove && to < from) {
        for (int i = 0; i < n; ++i) to[i] = from[i];
    } else if (n <= kShortMove) {
        for (int i = n; i-- > 0;) to[i] = from[i];
    } else {
        std::memmove(to, from, size_t(n) * sizeof(Rect16));
    }
}

}  // namespace

void RegionUnionList::moveGap(int to) {
    Rect16* s = slots();
    if (gapSize_ != 0 && to < gapAt_) moveRects(s + to + gapSize_, s + to, gapAt_ - to);
    if (gapSize_ != 0 && to > gapAt_) moveRects(s + gapAt_, s + gapAt_ + gapSize_, to - gapAt_);
    gapAt_ = to;
}

void RegionUnionList::openGap() {
    const int size = std::min(opening_, record_->capacity - count_);
    Rect16* s = slots();
    moveRects(s + gapAt_ + size, s + gapAt_, count_ - gapAt_);
    gapSize_ = size;
    // No block holds more than 0xFFFF slots, so doubling past that would open no more; a
    // union of a long source region opens the gap many times.
    opening_ = std::min(2 * opening_, 0x10000);
}

void RegionUnionList::removeAt(int i) {
    moveGap(i);
    --count_;
    ++gapSize_;
    forgetFrom(i);
}

// Within the capacity.
void RegionUnionList::insertAt(int i, const Rect16& r) {
    moveGap(i);
    if (gapSize_ == 0) openGap();
    slots()[gapAt_++] = r;
    --gapSize_;
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
        // The gap is empty: the list lies whole at the start of the block.
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
    // The index grows only as far as a scan needs it, over the runs wholly above `top`,
    // which is all a later scan needs to know of them.
    if (indexed_ * kRun >= count_) return count_;
    const int first = firstReaching(indexed_ * kRun, top);
    const i16 above = top == INT16_MIN ? top : i16(top - 1);
    for (; indexed_ < first / kRun; ++indexed_) reaching_[size_t(indexed_)] = above;
    return first;
}

int RegionUnionList::lastMeetingColumns(int before, const Rect16& r) const {
    if (before > gapAt_) {
        const int p = rgnLastMeetingColumns(slots(), gapAt_ + gap(), before + gap(), r) - gap();
        if (p >= gapAt_) return p;
        before = gapAt_;
    }
    return rgnLastMeetingColumns(slots(), 0, before, r);
}
