#include "tools/brushes/RSprayGun.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/base/ToolNames.h"

namespace {
constexpr u32 kSpraySeed = 0x5EED;
}

RSprayGun::RSprayGun() : RStrokeTool(kToolIdSprayGun) {}

i32 RSprayGun::Spacing() const { return std::max<i32>(1, GetSize() / 2); }

void RSprayGun::MouseDown(ToolCanvas& canvas, Point16 p) {
    random_.seed(kSpraySeed);
    RStrokeTool::MouseDown(canvas, p);
}

void RSprayGun::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    const u16 pixel = PaintPixel();
    const double radius = GetSize() / 2.0;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (i32 i = 0; i < GetSize(); ++i) {
        // Square root: dots spread evenly over the disc's area rather than bunching at its centre.
        double r = radius * std::sqrt(unit(random_)), angle = 2 * std::numbers::pi * unit(random_);
        canvas.Picture().Put(i32(std::lround(p.h + r * std::cos(angle))), i32(std::lround(p.v + r * std::sin(angle))), pixel);
    }
    canvas.MarkChanged(dabBounds(p, GetSize() + 1));
}
