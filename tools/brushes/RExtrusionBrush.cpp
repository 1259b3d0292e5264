#include "tools/brushes/RExtrusionBrush.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RExtrusionBrush::RExtrusionBrush() : RPathBrush(kToolIdExtrusionBrush) {}

i32 RExtrusionBrush::Spacing() const { return std::max<i32>(1, GetSize() / 8); }

void RExtrusionBrush::LayDab(ToolCanvas& canvas, Point16 p) {
    const PixelView& picture = canvas.Picture();
    const u16 paint = PaintPixel(canvas);
    const float radius = std::max(1.0f, float(GetSize()) / 2);
    const i32 x0 = std::max(0, i32(p.h - radius)), x1 = std::min<i32>(picture.width - 1, i32(p.h + radius));
    const i32 y0 = std::max(0, i32(p.v - radius)), y1 = std::min<i32>(picture.height - 1, i32(p.v + radius));
    for (i32 y = y0; y <= y1; ++y) {
        u16* row = picture.Row(y);
        for (i32 x = x0; x <= x1; ++x) {
            const float nx = float(x - p.h) / radius, ny = float(y - p.v) / radius, d2 = nx * nx + ny * ny;
            if (d2 > 1) continue;
            const float nz = std::sqrt(1 - d2);
            // Light from the top left and a little in front.
            const float light = std::clamp(-0.5f * nx - 0.5f * ny + 0.7f * nz, 0.0f, 1.0f);
            u16 pixel = shadePixel(paint, (light - 0.6f) * 1.1f);
            const float gleam = (nx + 0.4f) * (nx + 0.4f) + (ny + 0.4f) * (ny + 0.4f);
            if (gleam < 0.06f) pixel = mixPixel(pixel, kRgb555White, 0.8f);
            row[x] = pixel;
        }
    }
    canvas.MarkChanged(dabBounds(p, GetSize() + 2));
}
