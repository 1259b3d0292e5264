#pragma once
// Shaped brush 5: spinning triangles in shades of the paint.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush5 : public RCustomBrush {
public:
    RCustomBrush5()
        : RCustomBrush(kToolIdCustomBrush1 + 4, DabLook{DabShape::Triangle, 120, DabColour::Shades, DabTurn::Spin}) {}
};
