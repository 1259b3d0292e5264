#include "tools/wacky/RSpiral.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RSpiral::RSpiral() : RPathBrush(kToolIdSpiral) {}

i32 RSpiral::Spacing() const { return std::max<i32>(6, GetSize() * 2); }

void RSpiral::LayDab(ToolCanvas& canvas, Point16 p) {
    std::vector<Point16> path;
    const float start = Unit() * 2 * kPi, reach = float(GetSize());
    for (i32 i = 0; i <= kSteps; ++i) {
        const float t = float(i) / float(kSteps), a = start + t * kTurns * 2 * kPi;
        path.push_back(pointAt(float(p.h) + reach * t * std::cos(a), float(p.v) + reach * t * std::sin(a)));
    }
    paintPolyline(canvas, path, false, GetSize() >= 10 ? 2 : 1, PaintPixel(canvas));
}
