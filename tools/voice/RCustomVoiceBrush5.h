#pragma once
// Voice brush 5: bubbles that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush5 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush5()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 4, DabLook{DabShape::Ring, 60, DabColour::Paint, DabTurn::None}) {}
};
