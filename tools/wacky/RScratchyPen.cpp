#include "tools/wacky/RScratchyPen.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RScratchyPen::RScratchyPen() : RPathBrush(kToolIdScratchyPen) {}

i32 RScratchyPen::Spacing() const { return std::max<i32>(2, GetSize() / 8); }

void RScratchyPen::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    for (size_t k = 0; k < last_.size(); ++k) {
        const Point16 at = pointAt(float(p.h) + (Unit() - 0.5f) * float(GetSize()), float(p.v) + (Unit() - 0.5f) * float(GetSize()));
        if (DabIndex() > 0) paintLine(canvas, last_[k], at, 1, shadePixel(paint, float(k) * 0.15f - 0.2f));
        last_[k] = at;
    }
}
