#include "tools/wacky/RTriSpin.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RTriSpin::RTriSpin() : RPathBrush(kToolIdTriSpin) {}

i32 RTriSpin::Spacing() const { return std::max<i32>(2, GetSize() / 2); }

void RTriSpin::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const u16 colours[3] = {paint, shadePixel(paint, 0.45f), shadePixel(paint, -0.4f)};
    paintPolygon(canvas, regularPolygon(float(p.h) + 0.5f, float(p.v) + 0.5f, float(GetSize()) / 2, 3, float(DabIndex()) * 0.5f),
                 colours[DabIndex() % 3]);
}
