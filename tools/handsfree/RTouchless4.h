#pragma once
// Hands-free brush 4: sparkles, wherever the mouse goes.
#include "tools/base/ToolNames.h"
#include "tools/handsfree/RTouchless.h"

class RTouchless4 : public RTouchless {
public:
    RTouchless4() : RTouchless(kToolIdTouchless1 + 3, DabLook{DabShape::Sparkle, 140, DabColour::Paint, DabTurn::None}) {}
};
