#pragma once
// Shaped brush 4: diamonds in the colours of the rainbow, in turn.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush4 : public RCustomBrush {
public:
    RCustomBrush4()
        : RCustomBrush(kToolIdCustomBrush1 + 3, DabLook{DabShape::Diamond, 110, DabColour::Rainbow, DabTurn::None}) {}
};
