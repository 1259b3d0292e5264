#include "tools/wacky/RDrippy.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RDrippy::RDrippy() : RPathBrush(kToolIdDrippy) {}

i32 RDrippy::Spacing() const { return std::max<i32>(1, GetSize() / 4); }

void RDrippy::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const float radius = std::max(1.0f, float(GetSize()) / 2);
    paintDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, radius, paint);
    if (Unit() >= kDripChance) return;
    const float width = std::max(2.0f, float(GetSize()) / 3);
    const float length = float(GetSize()) * (1 + 3 * Unit());
    const float x = float(p.h) + (Unit() - 0.5f) * radius;
    const Point16 top = pointAt(x - width / 2, float(p.v)), bottom = pointAt(x + width / 2, float(p.v) + length);
    paintRect(canvas, Rect16{top.h, top.v, bottom.h, bottom.v}, paint);
    paintDisc(canvas, x, float(p.v) + length, width * 0.8f, paint);
}
