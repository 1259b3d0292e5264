#include "tools/brushes/RAirbrush.h"

#include <algorithm>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

namespace {
// The paint one dab lays at the cloud's centre.
constexpr float kPuff = 0.16f;
}

RAirbrush::RAirbrush() : RPathBrush(kToolIdAirbrush) {}

i32 RAirbrush::Spacing() const { return std::max<i32>(1, GetSize() / 3); }

void RAirbrush::LayDab(ToolCanvas& canvas, Point16 p) {
    paintSoftDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, std::max(1.5f, float(GetSize())), kPuff, PaintPixel(canvas));
}
