#include "tools/wacky/RTree.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RTree::RTree() : RPathBrush(kToolIdTree) {}

i32 RTree::Spacing() const { return std::max<i32>(10, GetSize() * 4); }

void RTree::LayDab(ToolCanvas& canvas, Point16 p) {
    Branch(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, -std::numbers::pi_v<float> / 2, float(GetSize()) * 1.4f,
           std::max(1.0f, float(GetSize()) / 5), kDepth);
}

void RTree::Branch(ToolCanvas& canvas, float x, float y, float angle, float length, float width, i32 depth) {
    const float endX = x + length * std::cos(angle), endY = y + length * std::sin(angle);
    if (depth == 0) {
        paintDisc(canvas, endX, endY, std::max(2.0f, length * 1.3f), PaintPixel(canvas));
        return;
    }
    paintLine(canvas, pointAt(x, y), pointAt(endX, endY), i32(std::lround(width)), shadePixel(PaintPixel(canvas), -0.6f));
    const float spread = 0.35f + 0.3f * Unit();
    Branch(canvas, endX, endY, angle - spread, length * (0.66f + 0.12f * Unit()), width * 0.7f, depth - 1);
    Branch(canvas, endX, endY, angle + spread, length * (0.66f + 0.12f * Unit()), width * 0.7f, depth - 1);
}
