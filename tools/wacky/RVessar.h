#pragma once
// The vessel brush: three thin strands, in the paint and a lighter and a darker shade of it,
// weave round the stroke's path like the veins of a leaf or the threads of a rope.
#include <array>
#include "tools/brushes/RPathBrush.h"

class RVessar : public RPathBrush {
public:
    RVessar();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kStrands = 3;
    std::array<Point16, kStrands> last_{};
};
