#include "tools/wacky/RVessar.h"

#include <algorithm>
#include <cmath>

#include "tools/base/GlDab.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/wacky/GlSolids.h"

RVessar::RVessar() : RPathBrush(kToolIdVessar) {}

i32 RVessar::Spacing() const { return std::max<i32>(2, GetSize() / 6); }

void RVessar::LayDab(ToolCanvas& canvas, Point16 p) {
    const float t = float(DabIndex() * Spacing());
    const float acrossX = -std::sin(Heading()), acrossY = std::cos(Heading());
    const u16 paint = PaintPixel(canvas);
    const u16 colours[kStrands] = {paint, shadePixel(paint, 0.45f), shadePixel(paint, -0.45f)};
    const float reach = float(GetSize()) / 2, radius = std::max(1.5f, float(GetSize()) / 8);
    std::array<Point16, kStrands> at{};
    std::array<float, kStrands> depth{};
    std::vector<GlPoint> ends;
    for (i32 k = 0; k < kStrands; ++k) {
        const float phase = t * 0.12f + float(k) * 2.094f;
        const float off = reach * std::sin(phase);
        at[size_t(k)] = pointAt(float(p.h) + acrossX * off, float(p.v) + acrossY * off);
        depth[size_t(k)] = reach * std::cos(phase);
        ends.push_back(GlPoint{float(at[size_t(k)].h), float(at[size_t(k)].v), 0});
        ends.push_back(GlPoint{float(last_[size_t(k)].h), float(last_[size_t(k)].v), 0});
    }
    if (DabIndex() > 0) {
        GlDab dab(canvas, boxAround(ends, radius + 2));
        for (size_t k = 0; k < size_t(kStrands); ++k) {
            if (!dab.Open()) {
                paintLine(canvas, last_[k], at[k], 2, colours[k]);
                continue;
            }
            const float z = float(GlDab::kMiddle);
            const GlPoint from{float(last_[k].h) + 0.5f, float(last_[k].v) + 0.5f, z + lastDepth_[k]};
            const GlPoint to{float(at[k].h) + 0.5f, float(at[k].v) + 0.5f, z + depth[k]};
            glTube({from, to}, radius, colours[k]);
            // A round joint, so that the strand bends without a notch.
            glBall(dab, to, radius, colours[k]);
        }
    }
    last_ = at;
    lastDepth_ = depth;
}
