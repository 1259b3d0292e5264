#include "tools/wacky/RParticle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RParticle::RParticle() : RPathBrush(kToolIdParticle) {}

i32 RParticle::Spacing() const { return std::max<i32>(3, GetSize() / 2); }

void RParticle::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const PixelView& picture = canvas.Picture();
    for (i32 i = 0; i < kSparks; ++i) {
        const float a = Unit() * 2 * std::numbers::pi_v<float>, reach = float(GetSize()) * (0.5f + 1.5f * Unit());
        const u16 spark = shadePixel(paint, Unit() * 0.7f - 0.2f);
        for (i32 step = 2; step <= i32(reach); ++step) {
            const Point16 at = pointAt(float(p.h) + float(step) * std::cos(a), float(p.v) + float(step) * std::sin(a));
            if (picture.Contains(at.h, at.v)) picture.Row(at.v)[at.h] = mixPixel(picture.At(at.h, at.v), spark, 0.5f * float(step) / reach);
        }
        paintDisc(canvas, float(p.h) + reach * std::cos(a), float(p.v) + reach * std::sin(a), 1.0f + Unit(), spark);
    }
    canvas.MarkChanged(dabBounds(p, GetSize() * 4 + 4));
}
