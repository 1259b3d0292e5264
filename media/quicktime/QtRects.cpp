#include "media/quicktime/QtRects.h"

void RectToQTRect(const Rect16& rect, plat::media::MrRect* out) {
    *out = {rect.top, rect.left, rect.bottom, rect.right};
}

void QTRectToRect(const plat::media::MrRect& rect, Rect16* out) { *out = {rect.left, rect.top, rect.right, rect.bottom}; }
