#include "engine/regions/RectConversions.h"

void RectFromLongRect(Rect16* out, const LongRect& rect) {
    *out = Rect16{i16(rect.left), i16(rect.top), i16(rect.right), i16(rect.bottom)};
}

void RectCenterIn(Rect16* rect, const Rect16& other) {
    const i32 width = i32(rect->right) - rect->left, height = i32(rect->bottom) - rect->top;
    const i32 x = other.left + (i32(other.right) - other.left) / 2 - width / 2;
    const i32 y = other.top + (i32(other.bottom) - other.top) / 2 - height / 2;
    *rect = Rect16{i16(x), i16(y), i16(x + width), i16(y + height)};
}
