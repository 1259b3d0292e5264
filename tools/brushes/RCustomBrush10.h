#pragma once
// Shaped brush 10: groups of three dots, each group turned at random.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush10 : public RCustomBrush {
public:
    RCustomBrush10()
        : RCustomBrush(kToolIdCustomBrush1 + 9, DabLook{DabShape::Dots, 100, DabColour::Paint, DabTurn::Random}) {}
};
