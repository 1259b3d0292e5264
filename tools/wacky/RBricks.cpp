#include "tools/wacky/RBricks.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RBricks::RBricks() : RPathBrush(kToolIdBricks) {}

i32 RBricks::Spacing() const { return std::max<i32>(1, GetSize() / 4); }

void RBricks::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    PaintRoundDab(canvas, p, [paint](i32 x, i32 y, u16) {
        const i32 row = y / kBrickHeight, shifted = x + (row & 1) * kBrickWidth / 2;
        if (y % kBrickHeight < kMortar || shifted % kBrickWidth < kMortar) return kMortarPixel;
        return shadePixel(paint, float(brushNoise(shifted / kBrickWidth, row, 5) % 100) / 100.0f * 0.4f - 0.2f);
    });
}
