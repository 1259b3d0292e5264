#pragma once
// Shaped brush 1: a five-pointed star, turning a little at each dab.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush1 : public RCustomBrush {
public:
    RCustomBrush1()
        : RCustomBrush(kToolIdCustomBrush1 + 0, DabLook{DabShape::Star, 120, DabColour::Paint, DabTurn::Spin}) {}
};
