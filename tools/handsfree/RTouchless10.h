#pragma once
// Hands-free brush 10: leaves along the way the mouse goes, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless10 : public RTouchless {
public:
    RTouchless10() : RTouchless(kToolIdTouchless1 + 9, DabLook{DabShape::Leaf, 110, DabColour::Paint, DabTurn::Heading}) {}
};
