#pragma once
// Shaped brush 16: confetti: little squares of every colour, thrown at random.
#include "tools/base/ToolNames.h"
#include "tools/brushes/RCustomBrush.h"

class RCustomBrush16 : public RCustomBrush {
public:
    RCustomBrush16()
        : RCustomBrush(kToolIdCustomBrush1 + 15, DabLook{DabShape::Square, 60, DabColour::Confetti, DabTurn::Random}) {}
};
