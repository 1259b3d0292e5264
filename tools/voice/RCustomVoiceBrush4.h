#pragma once
// Voice brush 4: flowers that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush4 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush4()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 3, DabLook{DabShape::Flower, 120, DabColour::Paint, DabTurn::None}) {}
};
