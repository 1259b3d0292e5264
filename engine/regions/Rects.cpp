#include "engine/regions/Rects.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"

namespace {

i16 moved(i16 value, int delta) { return i16(value + delta); }

i16 swapped(i16 value) { return i16(ByteSwap16(u16(value))); }

}  // namespace

bool rectIsEmpty(const Rect16& r) { return r.left >= r.right || r.top >= r.bottom; }

bool rectContainsPoint(const Rect16& r, Point16 p) {
    return r.left <= p.h && p.h < r.right && r.top <= p.v && p.v < r.bottom;
}

bool rectIntersect(Rect16* a, const Rect16& b) {
    Rect16 result{std::max(a->left, b.left), std::max(a->top, b.top), std::min(a->right, b.right),
                  std::min(a->bottom, b.bottom)};
    if (rectIsEmpty(result)) {
        *a = Rect16{};
        return false;
    }
    *a = result;
    return true;
}

void rectUnion(Rect16* a, const Rect16& b) {
    if (rectIsEmpty(b)) {
        if (rectIsEmpty(*a)) *a = Rect16{};
        return;
    }
    if (rectIsEmpty(*a)) {
        *a = b;
        return;
    }
    *a = Rect16{std::min(a->left, b.left), std::min(a->top, b.top), std::max(a->right, b.right),
                std::max(a->bottom, b.bottom)};
}

void rectOffset(Rect16* r, i16 dx, i16 dy) {
    *r = Rect16{moved(r->left, dx), moved(r->top, dy), moved(r->right, dx), moved(r->bottom, dy)};
}

void rectInset(Rect16* r, i16 dx, i16 dy) {
    *r = Rect16{moved(r->left, dx), moved(r->top, dy), moved(r->right, -dx), moved(r->bottom, -dy)};
}

bool rectEqual(const Rect16& a, const Rect16& b) {
    bool aEmpty = rectIsEmpty(a);
    bool bEmpty = rectIsEmpty(b);
    if (aEmpty || bEmpty) return aEmpty && bEmpty;
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void rectPinPoint(const Rect16& r, Point16* p) {
    p->h = std::clamp(p->h, r.left, std::max(r.left, r.right));
    p->v = std::clamp(p->v, r.top, std::max(r.top, r.bottom));
}

void rectClampPoint(const Rect16& r, Point16* p) {
    p->h = std::clamp(p->h, r.left, std::max(r.left, i16(r.right - 1)));
    p->v = std::clamp(p->v, r.top, std::max(r.top, i16(r.bottom - 1)));
}

void rectSwapBytes(Rect16* r) {
    *r = Rect16{swapped(r->left), swapped(r->top), swapped(r->right), swapped(r->bottom)};
}
