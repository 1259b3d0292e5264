#include "tools/wacky/RPoly.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RPoly::RPoly() : RPathBrush(kToolIdPoly) {}

i32 RPoly::Spacing() const { return std::max<i32>(4, GetSize() * 3 / 2); }

void RPoly::LayDab(ToolCanvas& canvas, Point16 p) {
    const i32 sides = 3 + DabIndex() % 5;
    const std::vector<Point16> corners =
        regularPolygon(float(p.h) + 0.5f, float(p.v) + 0.5f, float(GetSize()) * 0.7f, sides, Heading() + float(DabIndex()) * 0.3f);
    paintPolyline(canvas, corners, true, GetSize() >= 10 ? 2 : 1, PaintPixel(canvas));
}
