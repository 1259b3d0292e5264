#include "tools/wacky/RWhispyCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RWhispyCircle::RWhispyCircle() : RPathBrush(kToolIdWhispyCircle) {}

i32 RWhispyCircle::Spacing() const { return std::max<i32>(2, GetSize() / 3); }

void RWhispyCircle::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const float radius = float(GetSize()) / 2 * (0.6f + 0.8f * Unit());
    const float cx = float(p.h) + (Unit() - 0.5f) * float(GetSize()) / 2, cy = float(p.v) + (Unit() - 0.5f) * float(GetSize()) / 2;
    const PixelView& picture = canvas.Picture();
    const i32 steps = std::max(12, i32(radius * 7));
    for (i32 i = 0; i < steps; ++i) {
        const float a = 2 * std::numbers::pi_v<float> * float(i) / float(steps);
        const Point16 at = pointAt(cx + radius * std::cos(a), cy + radius * std::sin(a));
        if (picture.Contains(at.h, at.v)) picture.Row(at.v)[at.h] = mixPixel(picture.At(at.h, at.v), paint, 0.5f);
    }
    canvas.MarkChanged(discBounds(cx, cy, radius));
}
