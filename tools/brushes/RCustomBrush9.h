#pragma once
// Shaped brush 9: crescent moons.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush9 : public RCustomBrush {
public:
    RCustomBrush9()
        : RCustomBrush(kToolIdCustomBrush1 + 8, DabLook{DabShape::Moon, 130, DabColour::Paint, DabTurn::None}) {}
};
