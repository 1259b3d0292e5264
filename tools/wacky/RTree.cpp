#include "tools/wacky/RTree.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/GlDab.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"
#include "tools/wacky/GlSolids.h"

RTree::RTree() : RPathBrush(kToolIdTree) {}

i32 RTree::Spacing() const { return std::max<i32>(10, GetSize() * 4); }

void RTree::LayDab(ToolCanvas& canvas, Point16 p) {
    std::vector<Part> parts;
    Grow(parts, float(p.h) + 0.5f, float(p.v) + 0.5f, -std::numbers::pi_v<float> / 2, float(GetSize()) * 1.4f,
         std::max(1.0f, float(GetSize()) / 5), kDepth);
    std::vector<GlPoint> reach;
    float margin = 0;
    for (const Part& part : parts) {
        reach.push_back(GlPoint{part.x, part.y, 0});
        reach.push_back(GlPoint{part.endX, part.endY, 0});
        margin = std::max(margin, part.tuft ? part.radius : part.width);
    }
    const u16 leaves = PaintPixel(canvas), wood = shadePixel(leaves, -0.6f);
    GlDab dab(canvas, boxAround(reach, margin + 2));
    if (dab.Open()) Solid(dab, parts, leaves, wood);
    else Flat(canvas, parts, leaves, wood);
}

void RTree::Grow(std::vector<Part>& parts, float x, float y, float angle, float length, float width, i32 depth) {
    const float endX = x + length * std::cos(angle), endY = y + length * std::sin(angle);
    if (depth == 0) {
        parts.push_back(Part{x, y, endX, endY, width, std::max(2.0f, length * 1.3f), true});
        return;
    }
    parts.push_back(Part{x, y, endX, endY, width, 0, false});
    const float spread = 0.35f + 0.3f * Unit();
    Grow(parts, endX, endY, angle - spread, length * (0.66f + 0.12f * Unit()), width * 0.7f, depth - 1);
    Grow(parts, endX, endY, angle + spread, length * (0.66f + 0.12f * Unit()), width * 0.7f, depth - 1);
}

void RTree::Solid(GlDab& dab, const std::vector<Part>& parts, u16 leaves, u16 wood) {
    const float z = float(GlDab::kMiddle);
    for (const Part& part : parts) {
        const GlPoint end{part.endX, part.endY, z};
        if (part.tuft) {
            glBall(dab, end, part.radius, leaves);
            continue;
        }
        const float from = std::max(0.8f, part.width / 2), to = std::max(0.6f, part.width * 0.35f);
        glRod(GlPoint{part.x, part.y, z}, end, from, to, wood);
        // The fork's knot, where the next branches grow on.
        glBall(dab, end, to, wood);
    }
}

void RTree::Flat(ToolCanvas& canvas, const std::vector<Part>& parts, u16 leaves, u16 wood) {
    for (const Part& part : parts) {
        if (part.tuft)
            paintDisc(canvas, part.endX, part.endY, part.radius, leaves);
        else
            paintLine(canvas, pointAt(part.x, part.y), pointAt(part.endX, part.endY), i32(std::lround(part.width)), wood);
    }
}
