#pragma once
// Hands-free brush 6: hearts in the rainbow's colours, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless6 : public RTouchless {
public:
    RTouchless6() : RTouchless(kToolIdTouchless1 + 5, DabLook{DabShape::Heart, 130, DabColour::Rainbow, DabTurn::None}) {}
};
