#include "tools/wacky/RLeakyPen.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RLeakyPen::RLeakyPen() : RPathBrush(kToolIdLeakyPen) {}

i32 RLeakyPen::Spacing() const { return 1; }

void RLeakyPen::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    paintDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, std::max(1.0f, float(GetSize()) / 8), paint);
    if (Unit() >= kLeakChance) return;
    for (i32 i = 0; i < 3; ++i)
        paintDisc(canvas, float(p.h) + (Unit() - 0.5f) * float(GetSize()) / 2, float(p.v) + (Unit() - 0.5f) * float(GetSize()) / 2,
                  float(GetSize()) * (0.25f + 0.3f * Unit()), paint);
}
