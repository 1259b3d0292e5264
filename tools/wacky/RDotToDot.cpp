#include "tools/wacky/RDotToDot.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/wacky/TinyFont.h"

RDotToDot::RDotToDot() : RPathBrush(kToolIdDotToDot) {}

i32 RDotToDot::Spacing() const { return std::max<i32>(12, GetSize() * 3); }

void RDotToDot::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const i32 scale = GetSize() >= 16 ? 2 : 1;
    paintDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, std::max(2.0f, float(GetSize()) / 5), paint);
    paintTinyNumber(canvas, u32(DabIndex() + 1), p.h + 3 + GetSize() / 5, p.v - 3 - kTinyFontHeight * scale, scale, paint);
}
