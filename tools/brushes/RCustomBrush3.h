#pragma once
// Shaped brush 3: a flat square brush turned along the stroke.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush3 : public RCustomBrush {
public:
    RCustomBrush3()
        : RCustomBrush(kToolIdCustomBrush1 + 2, DabLook{DabShape::Square, 25, DabColour::Paint, DabTurn::Heading}) {}
};
