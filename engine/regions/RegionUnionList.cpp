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
    Rect16* s = slots();
    // Most moves are of a rectangle or two, cheaper copied here than through memmove.
    if (gapSize != 0 && to < gapAt_) {
        if (gapAt_ - to <= kShortMove) {
            for (int i = gapAt_; i-- > to;) s[i + gapSize] = s[i];
        } else {
            std::memmove(s + to + gapSize, s + to, size_t(gapAt_ - to) * sizeof(Rect16));
        }
    } else if (gapSize != 0 && to > gapAt_) {
        if (to - gapAt_ <= kShortMove) {
            for (int i = gapAt_; i < to; ++i) s[i] = s[i + gapSize];
        } else {
            std::memmove(s + gapAt_, s + gapAt_ + gapSize, size_t(to - gapAt_) * sizeof(Rect16));
        }
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
