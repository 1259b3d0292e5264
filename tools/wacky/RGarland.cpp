#include "tools/wacky/RGarland.h"

#include <algorithm>
#include <cmath>

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RGarland::RGarland() : RPathBrush(kToolIdGarland) {}

i32 RGarland::Spacing() const { return std::max<i32>(6, GetSize() * 2); }

void RGarland::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 rope = shadePixel(PaintPixel(canvas), -0.3f);
    if (DabIndex() > 0) {
        const Point16 sag = pointAt((float(last_.h) + float(p.h)) / 2, (float(last_.v) + float(p.v)) / 2 + float(GetSize()) * 1.2f);
        paintPolyline(canvas, curvePath(last_, sag, p), false, 2, rope);
        paintDisc(canvas, float(last_.h) + 0.5f, float(last_.v) + 0.5f, std::max(2.0f, float(GetSize()) / 3), rainbowStripe((DabIndex() - 1) % 7));
    }
    paintDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, std::max(2.0f, float(GetSize()) / 3), rainbowStripe(DabIndex() % 7));
    last_ = p;
}
