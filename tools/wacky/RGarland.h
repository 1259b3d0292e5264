#pragma once
// The garland brush: a round rope that sags between the points it hangs from, with a shiny
// bead in the colours of the rainbow, in turn, at each point. Drawn with OpenGL (a tube and
// balls); painted flat in software where no GL context can be made.
#include <vector>

#include "tools/base/GlDab.h"
#include "tools/brushes/RPathBrush.h"

class RGarland : public RPathBrush {
public:
    RGarland();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr float kRopeRadius = 1.6f;
    void Solid(GlDab& dab, const std::vector<Point16>& rope, Point16 p, float bead, u16 ropePixel);
    void Flat(ToolCanvas& canvas, const std::vector<Point16>& rope, Point16 p, float bead, u16 ropePixel);
    Point16 last_{0, 0};
};
