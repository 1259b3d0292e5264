#pragma once
// Voice brush 3: hearts that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush3 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush3()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 2, DabLook{DabShape::Heart, 110, DabColour::Paint, DabTurn::None}) {}
};
