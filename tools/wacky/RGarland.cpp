#include "tools/wacky/RGarland.h"

#include <algorithm>
#include <cmath>

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/wacky/GlSolids.h"

RGarland::RGarland() : RPathBrush(kToolIdGarland) {}

i32 RGarland::Spacing() const { return std::max<i32>(6, GetSize() * 2); }

void RGarland::LayDab(ToolCanvas& canvas, Point16 p) {
    const u16 ropePixel = shadePixel(PaintPixel(canvas), -0.3f);
    const float bead = std::max(2.0f, float(GetSize()) / 3);
    std::vector<Point16> rope;
    if (DabIndex() > 0) {
        const Point16 sag = pointAt((float(last_.h) + float(p.h)) / 2, (float(last_.v) + float(p.v)) / 2 + float(GetSize()) * 1.2f);
        rope = curvePath(last_, sag, p);
    }
    std::vector<GlPoint> reach{{float(p.h), float(p.v), 0}};
    if (DabIndex() > 0) reach.push_back(GlPoint{float(last_.h), float(last_.v), 0});
    for (Point16 at : rope) reach.push_back(GlPoint{float(at.h), float(at.v), 0});
    GlDab dab(canvas, boxAround(reach, bead + 2));
    if (dab.Open()) Solid(dab, rope, p, bead, ropePixel);
    else Flat(canvas, rope, p, bead, ropePixel);
    last_ = p;
}

void RGarland::Solid(GlDab& dab, const std::vector<Point16>& rope, Point16 p, float bead, u16 ropePixel) {
    const float z = float(GlDab::kMiddle);
    std::vector<GlPoint> path;
    for (Point16 at : rope) path.push_back(GlPoint{float(at.h) + 0.5f, float(at.v) + 0.5f, z});
    glTube(path, kRopeRadius, ropePixel);
    if (DabIndex() > 0) glBall(dab, GlPoint{float(last_.h) + 0.5f, float(last_.v) + 0.5f, z}, bead, rainbowStripe((DabIndex() - 1) % 7));
    glBall(dab, GlPoint{float(p.h) + 0.5f, float(p.v) + 0.5f, z}, bead, rainbowStripe(DabIndex() % 7));
}

void RGarland::Flat(ToolCanvas& canvas, const std::vector<Point16>& rope, Point16 p, float bead, u16 ropePixel) {
    if (DabIndex() > 0) {
        paintPolyline(canvas, rope, false, 2, ropePixel);
        paintDisc(canvas, float(last_.h) + 0.5f, float(last_.v) + 0.5f, bead, rainbowStripe((DabIndex() - 1) % 7));
    }
    paintDisc(canvas, float(p.h) + 0.5f, float(p.v) + 0.5f, bead, rainbowStripe(DabIndex() % 7));
}
