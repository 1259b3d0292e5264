#include "tools/wacky/RBuildingPart.h"

#include <algorithm>

#include "tools/base/PaintShapes.h"

namespace {
constexpr i32 kLeastSide = 4;
}

Rect16 RBuildingPart::Box() const {
    return Rect16{std::min(start_.h, end_.h), std::min(start_.v, end_.v), i16(std::max(start_.h, end_.h) + 1),
                  i16(std::max(start_.v, end_.v) + 1)};
}

std::vector<Point16> RBuildingPart::Outline() const { return rectanglePath(start_, end_); }

void RBuildingPart::Commit(ToolCanvas& canvas) {
    const Rect16 box = Box();
    if (box.right - box.left < kLeastSide || box.bottom - box.top < kLeastSide) return;
    Build(canvas, box);
}
