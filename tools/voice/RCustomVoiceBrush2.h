#pragma once
// Voice brush 2: stars that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush2 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush2()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 1, DabLook{DabShape::Star, 110, DabColour::Paint, DabTurn::Spin}) {}
};
