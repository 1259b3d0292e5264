// Adding rectangles to a region. Each new rectangle is cut against the rectangles it meets:
// what they already cover is dropped, bands where it meets one are widened to both, and the
// pieces still to place wait on a small stack. Touching rectangles of equal columns are
// joined on the way, so dirty areas stay short lists.
#include <algorithm>

#include "engine/regions/RegionStorage.h"
#include "engine/regions/RegionUnionList.h"
#include "engine/regions/Regions.h"

namespace {

#define EDIT_TRY(step)                                            \
    do {                                                          \
        if (const EngineErr editError = (step)) return editError; \
    } while (0)

constexpr int kMaxPending = 64;
constexpr int kNoIndex = -1;
// Shorter stretches are scanned one rectangle at a time: the eight-at-a-time scan's set-up
// costs more than it saves.
constexpr int kSkipFrom = 16;

// The tests below take every comparison without branching on each: the scan meets
// rectangles in no order a branch could learn.
bool inside(const Rect16& inner, const Rect16& outer) {
    return (outer.left <= inner.left) & (inner.right <= outer.right) & (outer.top <= inner.top) &
           (inner.bottom <= outer.bottom);
}

bool sameColumns(const Rect16& a, const Rect16& b) { return (a.left == b.left) & (a.right == b.right); }

bool columnsHold(const Rect16& outer, const Rect16& inner) {
    return (outer.left <= inner.left) & (inner.right <= outer.right);
}

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

// Places one non-empty rectangle. On failure the list may be left part way; the caller
// takes the changes back.
EngineErr addRect(RegionUnionList& list, const Rect16& added) {
    RegionRecord* rec = list.record();
    if (list.count() == 0) {
        rec->bounds = added;
    } else {
        rectUnion(&rec->bounds, added);
    }
    PendingPieces pending;
    Rect16 r = added;
    for (;;) {
        int insertAt = kNoIndex;
        int i = list.scanStart(r.top);
        bool dropped = false;
        while (i < list.count()) {
            // Most rectangles met here only move the scan on; r shrinks and grows on the way,
            // and the passing test holds only while it is not empty.
            if (list.count() - i >= kSkipFrom && r.left < r.right && r.top < r.bottom) {
                i = list.skipPassing(i, r, insertAt);
                if (i == list.count()) break;
            }
            const Rect16 s = list[i];
            if (inside(r, s)) {
                dropped = true;
                break;
            }
            if ((r.top <= s.top) & inside(s, r)) {
                EDIT_TRY(list.remove(i));
                if (insertAt == kNoIndex) insertAt = i;
                continue;
            }
            if (r.bottom < s.top) break;
            if (r.bottom == s.top) {
                if (!sameColumns(r, s)) break;
                // r grows down over s; its top, and so the place it belongs, stay.
                r.bottom = s.bottom;
                EDIT_TRY(list.remove(i));
                continue;
            }
            if (insertAt == kNoIndex && (r.top < s.top || (r.top == s.top && r.right < s.left))) insertAt = i;
            if ((r.top > s.bottom) | (s.right < r.left) | (s.left > r.right)) {
                ++i;
                continue;
            }
            if (r.top == s.bottom) {
                if (sameColumns(r, s)) {
                    r.top = s.top;
                    insertAt = i;
                    EDIT_TRY(list.remove(i));
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
                    EDIT_TRY(list.setBottom(i, r.top));
                } else {
                    pending.pushLowerRemainder(r, s);
                    r = band(r, s, r.top);
                    EDIT_TRY(list.setBottom(i, r.top));
                    insertAt = kNoIndex;
                }
                ++i;
            } else if (r.top == s.top) {
                pending.pushLowerRemainder(r, s);
                r = band(r, s, r.top);
                EDIT_TRY(list.remove(i));
                insertAt = kNoIndex;
                // Resume at the nearest earlier rectangle that meets r's columns when it ends
                // where r starts with the same columns, so that the two are joined.
                const int p = list.lastMeetingColumns(i, r);
                if (p >= 0 && sameColumns(list[p], r) && list[p].bottom == r.top) i = p;
            } else {
                // The part of r above s takes s's place in the list, at the insertion index.
                const int at = insertAt == kNoIndex ? i : insertAt;
                EDIT_TRY(list.replace(i, at, Rect16{r.left, r.top, r.right, s.top}));
                if (columnsHold(s, r) && r.bottom <= s.bottom) {
                    r = s;
                } else {
                    pending.pushLowerRemainder(r, s);
                    r = band(r, s, s.top);
                }
                insertAt = kNoIndex;
                i = at;
            }
        }
        if (!dropped) EDIT_TRY(list.insert(insertAt == kNoIndex ? i : insertAt, r));
        if (pending.empty()) return kErrNone;
        r = pending.pop();
    }
}

// Adds n rectangles in order; one that cannot be placed leaves the region as it was before
// it, those placed before it stay, and the ones after it are not added.
EngineErr addRects(memHandle rgn, RegionRecord* record, const Rect16* added, u32 n) {
    RegionUnionList list(rgn, record);
    EngineErr error = kErrNone;
    for (u32 k = 0; k < n && error == kErrNone; ++k) {
        if (rectIsEmpty(added[k])) continue;
        const Rect16 bounds = list.record()->bounds;
        error = addRect(list, added[k]);
        if (error != kErrNone) {
            list.takeBack();
            list.record()->bounds = bounds;
        }
        list.keep();
    }
    list.close();
    record = list.record();
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
