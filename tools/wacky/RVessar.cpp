#include "tools/wacky/RVessar.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RVessar::RVessar() : RPathBrush(kToolIdVessar) {}

i32 RVessar::Spacing() const { return std::max<i32>(2, GetSize() / 6); }

void RVessar::LayDab(ToolCanvas& canvas, Point16 p) {
    const float t = float(DabIndex() * Spacing());
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    const u16 paint = PaintPixel(canvas);
    const u16 colours[kStrands] = {paint, shadePixel(paint, 0.45f), shadePixel(paint, -0.45f)};
    for (i32 k = 0; k < kStrands; ++k) {
        const float off = float(GetSize()) / 2 * std::sin(t * 0.12f + float(k) * 2.094f);
        const Point16 at = pointAt(float(p.h) + acrossX * off, float(p.v) + acrossY * off);
        if (DabIndex() > 0) paintLine(canvas, last_[size_t(k)], at, 2, colours[k]);
        last_[size_t(k)] = at;
    }
}
