#pragma once
// Voice brush 1: round dabs that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush1 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush1()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 0, DabLook{DabShape::Circle, 25, DabColour::Paint, DabTurn::None}) {}
};
