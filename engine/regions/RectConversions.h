#pragma once
// Conversions between the system's rectangles of 32-bit values and the engine's, and
// centring one rectangle in another. Plain values: any thread may call.
#include "engine/regions/Rects.h"

struct LongRect {
    i32 left;
    i32 top;
    i32 right;
    i32 bottom;
};

// Each value truncated to 16 bits.
void RectFromLongRect(Rect16* out, const LongRect& rect);
// Moves `rect`, keeping its size, so that its centre (edge plus half the size, rounded toward
// zero) is that of `other`.
void RectCenterIn(Rect16* rect, const Rect16& other);
