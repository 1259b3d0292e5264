#pragma once
// The gradient fill: its fill pattern id names a gradient picture (the strip's own icon), which
// it stretches over the filled area's bounds. Without that picture it shades the area from the
// brushes' colour to white; the item (fill pattern id less the gradient base 21300, in fours)
// then picks the direction: top to bottom, left to right, from the centre outward, or corner
// to corner.
#include "tools/fills/RFill.h"

constexpr u16 kGradientPatternBase = 21300;

enum class GradientKind { Vertical, Horizontal, Radial, Diagonal };

class RGradientFill : public RFill {
public:
    RGradientFill();
    GradientKind Kind() const;
    void SetFillPatternId(u16 id) override;

protected:
    u16 FillPixel(const ToolCanvas& canvas, const PixelMask& area, i32 x, i32 y) const override;
};
