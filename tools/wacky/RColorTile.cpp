#include "tools/wacky/RColorTile.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RColorTile::RColorTile() : RPathBrush(kToolIdColorTile) {}

i32 RColorTile::Spacing() const { return std::max<i32>(2, GetSize() / 4); }

void RColorTile::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 paint = PaintPixel(canvas);
    const i32 reach = std::max<i32>(kTile / 2, GetSize() / 2);
    for (i32 ty = (p.v - reach) / kTile - 1; ty <= (p.v + reach) / kTile + 1; ++ty)
        for (i32 tx = (p.h - reach) / kTile - 1; tx <= (p.h + reach) / kTile + 1; ++tx) {
            const float cx = float(tx * kTile + kTile / 2), cy = float(ty * kTile + kTile / 2);
            if (std::hypot(cx - float(p.h), cy - float(p.v)) > float(reach)) continue;
            const Point16 corner = pointAt(float(tx * kTile), float(ty * kTile));
            paintRect(canvas, Rect16{corner.h, corner.v, i16(corner.h + kTile), i16(corner.v + kTile)}, kGroutPixel);
            const float shade = float(brushNoise(tx, ty, 9) % 100) / 100.0f * 0.7f - 0.35f;
            paintRect(canvas, Rect16{i16(corner.h + 1), i16(corner.v + 1), i16(corner.h + kTile - 1), i16(corner.v + kTile - 1)},
                      shadePixel(paint, shade));
        }
}
