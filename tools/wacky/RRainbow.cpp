#include "tools/wacky/RRainbow.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RRainbow::RRainbow() : RPathBrush(kToolIdRainbow) {}

i32 RRainbow::Spacing() const { return 1; }

void RRainbow::LayDab(ToolCanvas& canvas, Point16 p) {
    const i32 width = std::max<i32>(7, GetSize());
    if (OffPicture(canvas, p, width)) return;
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    for (i32 i = 0; i < width; ++i) {
        const float off = float(i) - float(width) / 2;
        const Point16 at = pointAt(float(p.h) + acrossX * off, float(p.v) + acrossY * off);
        paintRect(canvas, Rect16{at.h, at.v, i16(at.h + 2), i16(at.v + 2)}, rainbowStripe(i * 7 / width));
    }
}
