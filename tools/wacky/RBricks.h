#pragma once
// The brick brush: rubs a brick wall into the picture, bricks in shades of the paint laid in
// offset rows with pale mortar between them; the wall is fixed to the picture, so strokes
// side by side join into one wall.
#include "tools/brushes/RPathBrush.h"

class RBricks : public RPathBrush {
public:
    RBricks();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kBrickWidth = 18;
    static constexpr i32 kBrickHeight = 9;
    static constexpr i32 kMortar = 2;
    static constexpr u16 kMortarPixel = 0x6318;
};
