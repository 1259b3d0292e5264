#include "media/quicktime/TwipsRects.h"

namespace {

Point16 canvasOrigin{0, 0};

// A coordinate, offset by the origin, in twips; negative values keep their two's-complement bits.
u32 twips(i16 coordinate, i16 origin) { return u32((i32(coordinate) - origin) * kTwipsPerPixel); }

}  // namespace

void SetCanvasOrigin(Point16 origin) { canvasOrigin = origin; }
Point16 CanvasOrigin() { return canvasOrigin; }

void RectToTwips(const Rect16& rect, TwipsRect* out) {
    *out = {twips(rect.left, 0), twips(rect.top, 0), twips(rect.right, 0), twips(rect.bottom, 0)};
}

void RectToTwipsRelative(const Rect16& rect, TwipsRect* out) {
    const Point16 o = canvasOrigin;
    *out = {twips(rect.left, o.h), twips(rect.top, o.v), twips(rect.right, o.h), twips(rect.bottom, o.v)};
}
