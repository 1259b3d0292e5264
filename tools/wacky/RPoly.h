#pragma once
// The polygon brush: outlines of triangles, squares, pentagons, hexagons and heptagons in turn
// along the stroke, each turned a little further.
#include "tools/brushes/RPathBrush.h"

class RPoly : public RPathBrush {
public:
    RPoly();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
