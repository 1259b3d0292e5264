#include "tools/brushes/RBristleBrush.h"

#include <algorithm>
#include <cmath>

#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

RBristleBrush::RBristleBrush() : RPathBrush(kToolIdBristleBrush) {}

void RBristleBrush::BeginStroke(Point16) {
    hairs_.clear();
    const i32 count = std::max<i32>(3, GetSize() * 3 / 4);
    for (i32 i = 0; i < count; ++i) {
        const float at = count == 1 ? 0 : float(i) / float(count - 1) - 0.5f;
        hairs_.push_back(Hair{at * float(GetSize()) + (Unit() - 0.5f) * 0.6f, Unit() * 0.7f - 0.35f, 0.7f + Unit() * 0.4f,
                              Unit() < 0.25f ? 170u + u32(Unit() * 60) : 256u});
    }
}

void RBristleBrush::LayDab(ToolCanvas& canvas, Point16 p) {
    if (OffPicture(canvas, p, GetSize() + 2)) return;
    const u16 paint = PaintPixel(canvas);
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    for (size_t i = 0; i < hairs_.size(); ++i) {
        const Hair& hair = hairs_[i];
        // A dry hair skips in runs: the noise changes every few pixels along the stroke.
        if (brushNoise(DabIndex() / 4, i32(i), 11) % 256 >= hair.wetness) continue;
        paintDisc(canvas, float(p.h) + 0.5f + acrossX * hair.offset, float(p.v) + 0.5f + acrossY * hair.offset, hair.radius,
                  shadePixel(paint, hair.shade));
    }
}
