#pragma once
// The tile brush: lays whole square tiles of a mosaic, each in its own shade of the paint,
// with white grout between them; the tiles sit on a grid fixed to the picture.
#include "tools/brushes/RPathBrush.h"

class RColorTile : public RPathBrush {
public:
    RColorTile();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kTile = 10;
    static constexpr u16 kGroutPixel = 0x77BD;
};
