#pragma once
// Shaped brush 8: crosses in shades of the paint.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush8 : public RCustomBrush {
public:
    RCustomBrush8()
        : RCustomBrush(kToolIdCustomBrush1 + 7, DabLook{DabShape::Cross, 120, DabColour::Shades, DabTurn::None}) {}
};
