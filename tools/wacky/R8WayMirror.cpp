#include "tools/wacky/R8WayMirror.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

R8WayMirror::R8WayMirror() : RPathBrush(kToolId8WayMirror) {}

i32 R8WayMirror::Spacing() const { return std::max<i32>(1, GetSize() / 4); }

void R8WayMirror::LayDab(ToolCanvas& canvas, Point16 p) {
    const PixelView& picture = canvas.Picture();
    const float cx = float(picture.width) / 2, cy = float(picture.height) / 2;
    const float dx = float(p.h) + 0.5f - cx, dy = float(p.v) + 0.5f - cy;
    const float radius = std::max(1.0f, float(GetSize()) / 2);
    const u16 paint = PaintPixel(canvas);
    for (const float sx : {-1.0f, 1.0f})
        for (const float sy : {-1.0f, 1.0f}) {
            paintDisc(canvas, cx + sx * dx, cy + sy * dy, radius, paint);
            paintDisc(canvas, cx + sx * dy, cy + sy * dx, radius, paint);
        }
}
