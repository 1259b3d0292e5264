#include "tools/wacky/RLog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RLog::RLog() : RPathBrush(kToolIdLog) {}

i32 RLog::Spacing() const { return std::max<i32>(1, GetSize() / 4); }

void RLog::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    PaintRoundDab(canvas, p, [paint](i32 x, i32 y, u16) {
        const i32 within = y % kLogHeight;
        if (within == kLogHeight - 1) return shadePixel(paint, -0.7f);
        float shade = -0.5f + 0.6f * std::sin(std::numbers::pi_v<float> * (float(within) + 0.5f) / float(kLogHeight - 1));
        if (brushNoise(x / 7, y / 2, 3) % 7 == 0) shade -= 0.2f;
        return shadePixel(paint, shade);
    });
}
