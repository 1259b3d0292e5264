#pragma once
// Hands-free brush 8: groups of dots at random angles, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless8 : public RTouchless {
public:
    RTouchless8() : RTouchless(kToolIdTouchless1 + 7, DabLook{DabShape::Dots, 100, DabColour::Paint, DabTurn::Random}) {}
};
