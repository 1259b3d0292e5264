#pragma once
// Hands-free brush 9: raindrops in shades of the paint, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless9 : public RTouchless {
public:
    RTouchless9() : RTouchless(kToolIdTouchless1 + 8, DabLook{DabShape::Drop, 120, DabColour::Shades, DabTurn::None}) {}
};
