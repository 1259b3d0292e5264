#pragma once
// Shaped brush 11: a flat calligraphy pen held at 45 degrees: thick and thin strokes.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush11 : public RCustomBrush {
public:
    RCustomBrush11()
        : RCustomBrush(kToolIdCustomBrush1 + 10, DabLook{DabShape::Nib, 0, DabColour::Paint, DabTurn::None}) {}
};
