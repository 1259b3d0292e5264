#pragma once
// Hands-free brush 5: bubbles in shades of the paint, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless5 : public RTouchless {
public:
    RTouchless5() : RTouchless(kToolIdTouchless1 + 4, DabLook{DabShape::Ring, 80, DabColour::Shades, DabTurn::None}) {}
};
