#pragma once
// Hands-free brush 7: flowers of every colour, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless7 : public RTouchless {
public:
    RTouchless7() : RTouchless(kToolIdTouchless1 + 6, DabLook{DabShape::Flower, 140, DabColour::Confetti, DabTurn::None}) {}
};
