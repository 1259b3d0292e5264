#pragma once
// The gradient fill: shades the filled area from the brushes' colour to white across the
// area's own bounds. The chosen strip item (fill pattern id less the gradient base 21300, in
// fours) picks the direction: top to bottom, left to right, from the centre outward, or
// corner to corner.
#include "tools/fills/RFill.h"

constexpr u16 kGradientPatternBase = 21300;

enum class GradientKind { Vertical, Horizontal, Radial, Diagonal };

class RGradientFill : public RFill {
public:
    RGradientFill();
    GradientKind Kind() const;

protected:
    u16 FillPixel(const ToolCanvas& canvas, const PixelMask& area, i32 x, i32 y) const override;
};
