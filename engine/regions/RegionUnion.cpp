// Adding rectangles to a region. Each new rectangle is cut against the rectangles it meets:
// what they already cover is dropped, bands where it meets one are widened to both, and the
// pieces still to place wait on a small stack. Touching rectangles of equal columns are
// joined on the way, so dirty areas stay short lists.
#include <algorithm>
#include <cstring>

#include "engine/regions/RegionScans.h"
#include "engine/regions/RegionScratch.h"
#include "engine/regions/RegionStorage.h"
#include "engine/regions/Regions.h"

namespace {

#define EDIT_TRY(step)                                  \
    do {                                                    \
        if (const EngineErr editError = (step)) return editError; \
    } while (0)

constexpr int kMaxPending = 64;
constexpr int kNoIndex = -1;
// Lists shorter than this are scanned one rectangle at a time: the four-at-a-time scans'
// set-up costs more than they save.
constexpr int kSkipFrom = 16;

bool inside(const Rect16& inner, const Rect16& outer) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

bool sameColumns(const Rect16& a, const Rect16& b) { return a.left == b.left && a.right == b.right; }

bool columnsHold(const Rect16& outer, const Rect16& inner) {
    return outer.left <= inner.left && inner.right <= outer.right;
}

// The changes an addition makes to the list, made through here and recorded, so that an
// addition that fails part way can be taken back exactly. Each change is recorded before it
// is made, in room reserved first: a record that cannot be kept stops the addition before
// its change.
class ListEdits {
public:
    EngineErr remove(RegionRecord* record, int index) {
        Rect16* rects = rgnRects(record);
        EDIT_TRY(note(kRemoved, index, rects[index]));
        std::memmove(rects + index, rects + index + 1, (record->count - index - 1) * sizeof(Rect16));
        --record->count;
        return kErrNone;
    }
    EngineErr setBottom(RegionRecord* record, int index, i16 bottom) {
        Rect16& r = rgnRects(record)[index];
        EDIT_TRY(note(kBottom, index, r));
        r.bottom = bottom;
        return kErrNone;
    }
    // Removes the rectangle at `from` and puts r at `at` (at most `from`).
    EngineErr replace(RegionRecord* record, int from, int at, const Rect16& r) {
        Rect16* rects = rgnRects(record);
        EDIT_TRY(edits_.reserve(edits_.size() + 2));
        note(kRemoved, from, rects[from]);
        note(kInserted, at, r);
        std::memmove(rects + at + 1, rects + at, (from - at) * sizeof(Rect16));
        rects[at] = r;
        return kErrNone;
    }
    EngineErr insert(memHandle rgn, RegionRecord** record, int index, const Rect16& r) {
        EDIT_TRY(edits_.reserve(edits_.size() + 1));
        EDIT_TRY(rgnInsertRect(rgn, record, u16(index), r));
        note(kInserted, index, r);
        return kErrNone;
    }
    // Takes back every change recorded, latest first.
    void undo(RegionRecord* record) {
        Rect16* rects = rgnRects(record);
        for (u32 k = edits_.size(); k-- > 0;) {
            const Edit& e = edits_.data()[k];
            switch (e.kind) {
            case kRemoved:
                std::memmove(rects + e.index + 1, rects + e.index, (record->count - e.index) * sizeof(Rect16));
                rects[e.index] = e.before;
                ++record->count;
                break;
            case kInserted:
                std::memmove(rects + e.index, rects + e.index + 1, (record->count - e.index - 1) * sizeof(Rect16));
                --record->count;
                break;
            case kBottom:
                rects[e.index] = e.before;
                break;
            }
        }
        edits_.resize(0);
    }
    void clear() { edits_.resize(0); }

private:
    enum Kind : u8 { kRemoved, kInserted, kBottom };
    struct Edit {
        Kind kind;
        int index;
        Rect16 before;
    };
    EngineErr note(Kind kind, int index, const Rect16& before) { return edits_.push(Edit{kind, index, before}); }

    RegionScratch<Edit> edits_;
};

// The band where r and s overlap vertically, across the columns of both, from `top` down to
// the higher of their bottoms.
Rect16 band(const Rect16& r, const Rect16& s, i16 top) {
    return Rect16{std::min(r.left, s.left), top, std::max(r.right, s.right), std::min(r.bottom, s.bottom)};
}

class PendingPieces {
public:
    bool full() const { return count_ == kMaxPending - 1; }
    bool empty() const { return count_ == 0; }
    Rect16 pop() { return pieces_[--count_]; }
    // The part of r or s below the other one; nothing when their bottoms are equal.
    void pushLowerRemainder(const Rect16& r, const Rect16& s) {
        if (r.bottom < s.bottom) pieces_[count_++] = Rect16{s.left, r.bottom, s.right, s.bottom};
        if (r.bottom > s.bottom) pieces_[count_++] = Rect16{r.left, s.bottom, r.right, r.bottom};
    }

private:
    Rect16 pieces_[kMaxPending];
    int count_ = 0;
};

// The first rectangle the scan for r must visit. Rectangles wholly above r's top (bottom
// less than it) leave the scan as it was, so the leading run of them is passed over: by
// top, the list's order, every rectangle starting more than `tallest` above r ends above it;
// the few after that are passed one by one.
int scanStart(const Rect16* rects, int count, const Rect16& r, i32 tallest) {
    const i32 firstTop = i32(r.top) - tallest;
    int low = 0, high = count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (rects[middle].top < firstTop) low = middle + 1;
        else high = middle;
    }
    while (low < count && rects[low].bottom < r.top) ++low;
    return low;
}

i32 heightOf(const Rect16& r) { return i32(r.bottom) - i32(r.top); }

// Places one non-empty rectangle. `tallest` is at least the height of every rectangle in the
// list and is kept so. On failure the region may be left part way; the caller restores it.
EngineErr addRect(memHandle rgn, RegionRecord** record, const Rect16& added, i32* tallest, ListEdits& edits) {
    RegionRecord* rec = *record;
    if (rec->count == 0) {
        rec->bounds = added;
    } else {
        rectUnion(&rec->bounds, added);
    }
    PendingPieces pending;
    Rect16 r = added;
    for (;;) {
        Rect16* rects = rgnRects(rec);
        int insertAt = kNoIndex;
        int i = scanStart(rects, rec->count, r, *tallest);
        bool dropped = false;
        while (i < rec->count) {
            // Most rectangles met here only move the scan on; r shrinks and grows on the way,
            // and the passing test holds only while it is not empty.
            if (rec->count - i >= kSkipFrom && r.left < r.right && r.top < r.bottom) {
                i = rgnSkipPassing(rects, i, rec->count, r, insertAt == kNoIndex);
                if (i == rec->count) break;
            }
            Rect16& s = rects[i];
            if (inside(r, s)) {
                dropped = true;
                break;
            }
            if (r.top <= s.top && inside(s, r)) {
                EDIT_TRY(edits.remove(rec, i));
                if (insertAt == kNoIndex) insertAt = i;
                continue;
            }
            if (r.bottom < s.top) break;
            if (r.bottom == s.top) {
                if (!sameColumns(r, s)) break;
                // r grows down over s; its top, and so the place it belongs, stay.
                r.bottom = s.bottom;
                EDIT_TRY(edits.remove(rec, i));
                continue;
            }
            if (insertAt == kNoIndex && (r.top < s.top || (r.top == s.top && r.right < s.left))) insertAt = i;
            if (r.top > s.bottom || s.right < r.left || s.left > r.right) {
                ++i;
                continue;
            }
            if (r.top == s.bottom) {
                if (sameColumns(r, s)) {
                    r.top = s.top;
                    insertAt = i;
                    EDIT_TRY(edits.remove(rec, i));
                } else {
                    ++i;
                }
                continue;
            }
            if (pending.full()) return kRgnErrTooManyPieces;
            if (r.top > s.top) {
                if (columnsHold(s, r)) {
                    r.top = s.bottom;
                    insertAt = kNoIndex;
                } else if (columnsHold(r, s) && r.bottom >= s.bottom) {
                    EDIT_TRY(edits.setBottom(rec, i, r.top));
                } else {
                    pending.pushLowerRemainder(r, s);
                    r = band(r, s, r.top);
                    EDIT_TRY(edits.setBottom(rec, i, r.top));
                    insertAt = kNoIndex;
                }
                ++i;
            } else if (r.top == s.top) {
                pending.pushLowerRemainder(r, s);
                r = band(r, s, r.top);
                EDIT_TRY(edits.remove(rec, i));
                insertAt = kNoIndex;
                // Resume at the nearest earlier rectangle that meets r's columns when it ends
                // where r starts with the same columns, so that the two are joined.
                int p = i - 1;
                while (p >= 0 && !(rects[p].left <= r.right && r.left <= rects[p].right)) --p;
                if (p >= 0 && sameColumns(rects[p], r) && rects[p].bottom == r.top) i = p;
            } else {
                // The part of r above s takes s's place in the list, at the insertion index.
                Rect16 upper{r.left, r.top, r.right, s.top};
                Rect16 lower = s;
                int at = insertAt == kNoIndex ? i : insertAt;
                EDIT_TRY(edits.replace(rec, i, at, upper));
                *tallest = std::max(*tallest, heightOf(upper));
                if (columnsHold(lower, r) && r.bottom <= lower.bottom) {
                    r = lower;
                } else {
                    pending.pushLowerRemainder(r, lower);
                    r = band(r, lower, lower.top);
                }
                insertAt = kNoIndex;
                i = at;
            }
        }
        if (!dropped) {
            EngineErr error = edits.insert(rgn, &rec, insertAt == kNoIndex ? i : insertAt, r);
            *record = rec;
            if (error != kErrNone) return error;
            *tallest = std::max(*tallest, heightOf(r));
        }
        if (pending.empty()) return kErrNone;
        r = pending.pop();
    }
}

i32 tallestOf(const RegionRecord* record) {
    if (record->count >= kSkipFrom) return rgnTallest(rgnRects(record), record->count);
    i32 tallest = 0;
    for (u16 i = 0; i < record->count; ++i) tallest = std::max(tallest, heightOf(rgnRects(record)[i]));
    return tallest;
}

// Adds n rectangles in order; one that cannot be placed leaves the region as it was before
// it, those placed before it stay, and the ones after it are not added.
EngineErr addRects(memHandle rgn, RegionRecord* record, const Rect16* added, u32 n) {
    ListEdits edits;
    EngineErr error = kErrNone;
    i32 tallest = tallestOf(record);
    for (u32 k = 0; k < n && error == kErrNone; ++k) {
        if (rectIsEmpty(added[k])) continue;
        const Rect16 bounds = record->bounds;
        edits.clear();
        error = addRect(rgn, &record, added[k], &tallest, edits);
        if (error != kErrNone) {
            edits.undo(record);
            record->bounds = bounds;
        }
    }
    rgnShrinkSlots(rgn, &record);
    return rgnSetError(error);
}

}  // namespace

EngineErr rgnUnionRect(memHandle rgn, const Rect16& r) {
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    if (rectIsEmpty(r)) return rgnSetError(kErrNone);
    return addRects(rgn, record, &r, 1);
}

EngineErr rgnUnion(memHandle dst, memHandle src) {
    RegionRecord* record = rgnRecordOf(dst);
    if (record == nullptr || rgnRecordOf(src) == nullptr) return kRgnErrBadRegion;
    if (dst == src) return rgnSetError(kErrNone);
    auto* from = static_cast<const RegionRecord*>(memLockHandle(src));
    if (from == nullptr) return rgnSetError(memGetLastError());
    record = static_cast<RegionRecord*>(memDerefHandle(dst));
    EngineErr error = addRects(dst, record, rgnRects(from), from->count);
    memUnlockHandle(src);
    return rgnSetError(error);
}
