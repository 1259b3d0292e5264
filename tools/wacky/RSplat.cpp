#include "tools/wacky/RSplat.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RSplat::RSplat() : RPathBrush(kToolIdSplat) {}

i32 RSplat::Spacing() const { return std::max<i32>(8, GetSize() * 3); }

void RSplat::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const float radius = std::max(3.0f, float(GetSize()) * 0.8f);
    const float phase1 = Unit() * 6.3f, phase2 = Unit() * 6.3f, phase3 = Unit() * 6.3f;
    std::vector<Point16> rim;
    for (i32 i = 0; i < kRimPoints; ++i) {
        const float a = 2 * std::numbers::pi_v<float> * float(i) / float(kRimPoints);
        const float r = radius * (0.8f + 0.14f * std::sin(3 * a + phase1) + 0.09f * std::sin(7 * a + phase2) + 0.06f * std::sin(13 * a + phase3));
        rim.push_back(pointAt(float(p.h) + r * std::cos(a), float(p.v) + r * std::sin(a)));
    }
    paintPolygon(canvas, rim, paint);
    for (i32 i = 0; i < kDroplets; ++i) {
        const float a = Unit() * 2 * std::numbers::pi_v<float>, reach = radius * (1.2f + Unit());
        paintDisc(canvas, float(p.h) + reach * std::cos(a), float(p.v) + reach * std::sin(a), std::max(1.0f, radius * (0.06f + 0.14f * Unit())), paint);
    }
}
