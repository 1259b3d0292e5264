#pragma once
// Shaped brush 2: hearts in a row.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush2 : public RCustomBrush {
public:
    RCustomBrush2()
        : RCustomBrush(kToolIdCustomBrush1 + 1, DabLook{DabShape::Heart, 120, DabColour::Paint, DabTurn::None}) {}
};
