#include "engine/regions/RegionDifference.h"

#include <algorithm>
#include <cstring>

#include "engine/regions/RegionStorage.h"

namespace {

bool overlaps(const Rect16& a, const Rect16& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Rect16& s, const Rect16& k) {
    return s.left >= k.left && s.right <= k.right && s.top >= k.top && s.bottom <= k.bottom;
}

// After every rectangle whose top is less, or whose top is equal and left is less.
u16 orderedIndex(const RegionRecord* record, const Rect16& r) {
    const Rect16* rects = rgnRects(record);
    u16 i = 0;
    while (i < record->count && (rects[i].top < r.top || (rects[i].top == r.top && rects[i].left < r.left))) ++i;
    return i;
}

void removeAt(RegionRecord* record, u16 index) {
    Rect16* rects = rgnRects(record);
    std::memmove(rects + index, rects + index + 1, (record->count - index - 1) * sizeof(Rect16));
    --record->count;
}

// Replaces rectangle `index`, which overlaps k without lying inside it, by its parts outside k:
// the band above, the parts left and right within k's rows, the band below. Returns the
// index where the scan goes on.
EngineErr cut(memHandle rgn, RegionRecord** record, u16 index, const Rect16& k, u16* next) {
    Rect16 s = rgnRects(*record)[index];
    i16 bandTop = std::max(s.top, k.top), bandBottom = std::min(s.bottom, k.bottom);
    Rect16 pieces[4];
    int n = 0;
    if (s.top < k.top) pieces[n++] = {s.left, s.top, s.right, k.top};
    if (s.left < k.left) pieces[n++] = {s.left, bandTop, k.left, bandBottom};
    if (k.right < s.right) pieces[n++] = {k.right, bandTop, s.right, bandBottom};
    if (k.bottom < s.bottom) pieces[n++] = {s.left, k.bottom, s.right, s.bottom};
    int first = 0;
    if (n > 0 && pieces[0].top == s.top) {
        rgnRects(*record)[index] = pieces[0];
        first = 1;
        *next = u16(index + 1);
    } else {
        removeAt(*record, index);
        *next = index;
    }
    for (int p = first; p < n; ++p) {
        EngineErr error = rgnInsertRect(rgn, record, orderedIndex(*record, pieces[p]), pieces[p]);
        if (error != kErrNone) return error;
    }
    return kErrNone;
}

}  // namespace

EngineErr rgnDiffRect(memHandle rgn, const Rect16& r) {
    if (rectIsEmpty(r)) return rgnSetError(kErrNone);
    return rgnDiffRects(rgn, 1, &r);
}

EngineErr rgnDiffRects(memHandle rgn, u16 count, const Rect16* rects) {
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    for (u16 c = 0; c < count; ++c) {
        const Rect16 k = rects[c];
        if (rectIsEmpty(k)) continue;
        u16 i = 0;
        while (i < record->count) {
            const Rect16 s = rgnRects(record)[i];
            if (s.top >= k.bottom) break;
            if (!overlaps(s, k)) {
                ++i;
            } else if (inside(s, k)) {
                removeAt(record, i);
            } else {
                EngineErr error = cut(rgn, &record, i, k, &i);
                if (error != kErrNone) {
                    rgnMergeRects(record);
                    return error;
                }
            }
        }
    }
    rgnMergeRects(record);
    rgnShrinkSlots(rgn, &record);
    return rgnSetError(kErrNone);
}
