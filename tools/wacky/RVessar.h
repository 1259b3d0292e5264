#pragma once
// The vessel brush: three round strands, in the paint and a lighter and a darker shade of it,
// weave round the stroke's path like the threads of a rope, passing over and under one
// another. Drawn with OpenGL (tubes at their depths); painted flat in software where no GL
// context can be made.
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
    // How far towards the viewer each strand was at its last point.
    std::array<float, kStrands> lastDepth_{};
};
