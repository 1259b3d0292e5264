#pragma once
// Shaped brush 13: a checkered square turned along the stroke.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush13 : public RCustomBrush {
public:
    RCustomBrush13()
        : RCustomBrush(kToolIdCustomBrush1 + 12, DabLook{DabShape::Checker, 100, DabColour::Paint, DabTurn::Heading}) {}
};
