#pragma once
// Shaped brush 14: raindrops with a gleam.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush14 : public RCustomBrush {
public:
    RCustomBrush14()
        : RCustomBrush(kToolIdCustomBrush1 + 13, DabLook{DabShape::Drop, 120, DabColour::Paint, DabTurn::None}) {}
};
