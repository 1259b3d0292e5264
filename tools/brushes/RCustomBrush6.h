#pragma once
// Shaped brush 6: flowers with a pale heart.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush6 : public RCustomBrush {
public:
    RCustomBrush6()
        : RCustomBrush(kToolIdCustomBrush1 + 5, DabLook{DabShape::Flower, 130, DabColour::Paint, DabTurn::None}) {}
};
