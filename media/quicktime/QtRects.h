#pragma once
// Rectangles between the program's order (left, top, right, bottom) and the runtime's (top,
// left, bottom, right): a plain reordering of the four values.
#include "engine/regions/Rects.h"
#include "platform/media/MediaRuntimeAbi.h"

void RectToQTRect(const Rect16& rect, plat::media::MrRect* out);
void QTRectToRect(const plat::media::MrRect& rect, Rect16* out);
inline plat::media::MrRect qtRectOf(const Rect16& rect) {
    plat::media::MrRect out;
    RectToQTRect(rect, &out);
    return out;
}
