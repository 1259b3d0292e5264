#include "tools/wacky/RLoopingLine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/brushes/BrushPaint.h"

RLoopingLine::RLoopingLine(i16 index) : RPathBrush(index) {}

void RLoopingLine::LayDab(ToolCanvas& canvas, Point16 p) {
    const float reach = std::max(3.0f, float(GetSize()) * (IsRainbow() ? 1.2f : 0.6f));
    // The pen goes round faster than the path goes on: 2.2 radii of path a turn makes loops.
    const float angle = float(DabIndex()) * 2 * std::numbers::pi_v<float> / (2.2f * reach);
    const Point16 at = pointAt(float(p.h) + reach * std::cos(angle), float(p.v) + reach * std::sin(angle));
    const u16 pixel = IsRainbow() ? huePixel(float(DabIndex()) / 240.0f) : PaintPixel(canvas);
    if (DabIndex() > 0) paintLine(canvas, last_, at, 2, pixel);
    last_ = at;
}
