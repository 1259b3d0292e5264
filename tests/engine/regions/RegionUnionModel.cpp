#include "tests/engine/regions/RegionUnionModel.h"

#include <algorithm>

namespace {

bool inside(const Rect16& inner, const Rect16& outer) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

bool sameColumns(const Rect16& a, const Rect16& b) { return a.left == b.left && a.right == b.right; }

bool columnsHold(const Rect16& outer, const Rect16& inner) {
    return outer.left <= inner.left && inner.right <= outer.right;
}

// The changes one added rectangle may make before its list counts as damaged; a sound list
// never needs more than a few per rectangle.
size_t changeLimit(const RegionModel& region) { return 64 * (region.rects.size() + 64); }

void insertAt(RegionModel& region, int index, const Rect16& r) {
    if (region.rects.size() == region.capacity) region.capacity = u16(region.capacity + kRgnSlotGrowth);
    region.rects.insert(region.rects.begin() + index, r);
}

void removeAt(RegionModel& region, int index) { region.rects.erase(region.rects.begin() + index); }

void pushLowerRemainder(std::vector<Rect16>& pending, const Rect16& r, const Rect16& s) {
    if (r.bottom < s.bottom) pending.push_back(Rect16{s.left, r.bottom, s.right, s.bottom});
    if (r.bottom > s.bottom) pending.push_back(Rect16{r.left, s.bottom, r.right, r.bottom});
}

Rect16 band(const Rect16& r, const Rect16& s, i16 top) {
    return Rect16{std::min(r.left, s.left), top, std::max(r.right, s.right), std::min(r.bottom, s.bottom)};
}

EngineErr addOne(RegionModel& region, const Rect16& added) {
    const size_t limit = changeLimit(region);
    size_t changes = 0;
    // Counts `n` more changes, or refuses them past the limit.
    auto change = [&](size_t n) {
        changes += n;
        return changes <= limit;
    };
    if (region.rects.empty()) region.bounds = added;
    else rectUnion(&region.bounds, added);
    std::vector<Rect16>& list = region.rects;
    std::vector<Rect16> pending;
    Rect16 r = added;
    for (;;) {
        int insert = -1;
        int i = 0;
        bool dropped = false;
        while (i < int(list.size())) {
            const Rect16 s = list[size_t(i)];
            if (inside(r, s)) {
                dropped = true;
                break;
            }
            if (r.top <= s.top && inside(s, r)) {
                if (!change(1)) return kRgnErrBadRegion;
                removeAt(region, i);
                if (insert < 0) insert = i;
                continue;
            }
            if (r.bottom < s.top) break;
            if (r.bottom == s.top) {
                if (!sameColumns(r, s)) break;
                if (!change(1)) return kRgnErrBadRegion;
                r.bottom = s.bottom;
                removeAt(region, i);
                continue;
            }
            if (insert < 0 && (r.top < s.top || (r.top == s.top && r.right < s.left))) insert = i;
            if (r.top > s.bottom || s.right < r.left || s.left > r.right) {
                ++i;
                continue;
            }
            if (r.top == s.bottom) {
                if (sameColumns(r, s)) {
                    if (!change(1)) return kRgnErrBadRegion;
                    r.top = s.top;
                    insert = i;
                    removeAt(region, i);
                } else {
                    ++i;
                }
                continue;
            }
            if (pending.size() == 63) return kRgnErrTooManyPieces;
            if (r.top > s.top) {
                if (columnsHold(s, r)) {
                    r.top = s.bottom;
                    insert = -1;
                } else if (columnsHold(r, s) && r.bottom >= s.bottom) {
                    if (!change(1)) return kRgnErrBadRegion;
                    list[size_t(i)].bottom = r.top;
                } else {
                    pushLowerRemainder(pending, r, s);
                    if (!change(1)) return kRgnErrBadRegion;
                    r = band(r, s, r.top);
                    list[size_t(i)].bottom = r.top;
                    insert = -1;
                }
                ++i;
            } else if (r.top == s.top) {
                if (!change(1)) return kRgnErrBadRegion;
                pushLowerRemainder(pending, r, s);
                r = band(r, s, r.top);
                removeAt(region, i);
                insert = -1;
                int p = i - 1;
                while (p >= 0 && !(list[size_t(p)].left <= r.right && r.left <= list[size_t(p)].right)) --p;
                if (p >= 0 && sameColumns(list[size_t(p)], r) && list[size_t(p)].bottom == r.top) i = p;
            } else {
                if (!change(2)) return kRgnErrBadRegion;
                const int at = insert < 0 ? i : insert;
                removeAt(region, i);
                list.insert(list.begin() + at, Rect16{r.left, r.top, r.right, s.top});
                if (columnsHold(s, r) && r.bottom <= s.bottom) {
                    r = s;
                } else {
                    pushLowerRemainder(pending, r, s);
                    r = band(r, s, s.top);
                }
                insert = -1;
                i = at;
            }
        }
        if (!dropped) {
            if (!change(1)) return kRgnErrBadRegion;
            insertAt(region, insert < 0 ? i : insert, r);
        }
        if (pending.empty()) return kErrNone;
        r = pending.back();
        pending.pop_back();
    }
}

}  // namespace

EngineErr regionModelUnion(RegionModel& region, const std::vector<Rect16>& added) {
    EngineErr error = kErrNone;
    for (const Rect16& r : added) {
        if (rectIsEmpty(r)) continue;
        const std::vector<Rect16> rects = region.rects;
        const Rect16 bounds = region.bounds;
        error = addOne(region, r);
        if (error != kErrNone) {
            region.rects = rects;
            region.bounds = bounds;
            break;
        }
    }
    const u16 wanted = u16(kRgnSlotGrowth * (region.rects.size() / kRgnSlotGrowth + 1));
    region.capacity = std::min(region.capacity, wanted);
    return error;
}
