#pragma once
// The rainbow brush: a satin ribbon of the rainbow's seven stripes, red on one side and violet
// on the other, that follows the stroke round its bends, its sheen rolling across it. Drawn
// with OpenGL (a ribbon of quad strips with a texture of the stripes); painted flat in
// software where no GL context can be made.
#include "tools/brushes/RPathBrush.h"
#include "tools/wacky/GlSolids.h"

class RRainbow : public RPathBrush {
public:
    RRainbow();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kColumns = 6;
    i32 Width() const;
    void Flat(ToolCanvas& canvas, Point16 p) const;
    // The ribbon's edges where the last dab ended it.
    GlPoint lastLeft_, lastRight_;
};
