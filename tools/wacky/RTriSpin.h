#pragma once
// The spinning-triangle brush: filled triangles in the paint and its lighter and darker shade,
// each turned further than the last, overlapping into a twisting ribbon.
#include "tools/brushes/RPathBrush.h"

class RTriSpin : public RPathBrush {
public:
    RTriSpin();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
