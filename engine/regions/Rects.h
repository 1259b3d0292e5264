#pragma once
// Rectangle and point arithmetic shared by the whole engine and application. A rectangle's
// right and bottom edges are exclusive; it is empty when left >= right or top >= bottom.
// Plain values, no state: any thread may call.
#include "engine/base/EngineTypes.h"

struct Rect16 {
    i16 left;
    i16 top;
    i16 right;
    i16 bottom;
};

struct Point16 {
    i16 h;
    i16 v;
};

bool rectIsEmpty(const Rect16& r);
bool rectContainsPoint(const Rect16& r, Point16 p);
// a becomes a ∩ b; an empty result is stored as all zeros and gives false.
bool rectIntersect(Rect16* a, const Rect16& b);
// a becomes the smallest rectangle holding both; empty rectangles do not count.
void rectUnion(Rect16* a, const Rect16& b);
void rectOffset(Rect16* r, i16 dx, i16 dy);
// Moves left and top in by dx and dy and right and bottom back by the same; negative grows.
void rectInset(Rect16* r, i16 dx, i16 dy);
// Any two empty rectangles are equal.
bool rectEqual(const Rect16& a, const Rect16& b);
// Into r with right and bottom inclusive.
void rectPinPoint(const Rect16& r, Point16* p);
// Into r with right and bottom exclusive.
void rectClampPoint(const Rect16& r, Point16* p);
void rectSwapBytes(Rect16* r);
