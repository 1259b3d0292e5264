#pragma once
// Shaped brush 15: leaves with a vein, along the stroke, in shades of the paint.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush15 : public RCustomBrush {
public:
    RCustomBrush15()
        : RCustomBrush(kToolIdCustomBrush1 + 14, DabLook{DabShape::Leaf, 110, DabColour::Shades, DabTurn::Heading}) {}
};
