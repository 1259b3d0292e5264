#pragma once
// Shaped brush 7: a chain of rings like bubbles.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush7 : public RCustomBrush {
public:
    RCustomBrush7()
        : RCustomBrush(kToolIdCustomBrush1 + 6, DabLook{DabShape::Ring, 60, DabColour::Paint, DabTurn::None}) {}
};
