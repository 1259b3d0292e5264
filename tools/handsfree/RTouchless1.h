#pragma once
// Hands-free brush 1: a round trail in the paint, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless1 : public RTouchless {
public:
    RTouchless1() : RTouchless(kToolIdTouchless1 + 0, DabLook{DabShape::Circle, 25, DabColour::Paint, DabTurn::None}) {}
};
