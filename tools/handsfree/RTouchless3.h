#pragma once
// Hands-free brush 3: spinning stars of every colour, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless3 : public RTouchless {
public:
    RTouchless3() : RTouchless(kToolIdTouchless1 + 2, DabLook{DabShape::Star, 120, DabColour::Confetti, DabTurn::Spin}) {}
};
