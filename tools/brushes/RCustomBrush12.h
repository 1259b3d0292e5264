#pragma once
// Shaped brush 12: four-pointed sparkles with a bright middle, in the rainbow's colours.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush12 : public RCustomBrush {
public:
    RCustomBrush12()
        : RCustomBrush(kToolIdCustomBrush1 + 11, DabLook{DabShape::Sparkle, 130, DabColour::Rainbow, DabTurn::None}) {}
};
