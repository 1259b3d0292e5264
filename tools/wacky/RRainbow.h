#pragma once
// The rainbow brush: a ribbon of the rainbow's seven stripes, red on one side and violet on the
// other, that follows the stroke round its bends.
#include "tools/brushes/RPathBrush.h"

class RRainbow : public RPathBrush {
public:
    RRainbow();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
