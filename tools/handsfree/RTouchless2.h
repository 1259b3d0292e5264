#pragma once
// Hands-free brush 2: a round trail in the rainbow's colours, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless2 : public RTouchless {
public:
    RTouchless2() : RTouchless(kToolIdTouchless1 + 1, DabLook{DabShape::Circle, 25, DabColour::Rainbow, DabTurn::None}) {}
};
