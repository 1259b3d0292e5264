#pragma once
// The dot-to-dot brush: leaves numbered dots along the stroke, 1, 2, 3..., for drawing the line
// through them afterwards.
#include "tools/brushes/RPathBrush.h"

class RDotToDot : public RPathBrush {
public:
    RDotToDot();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
