#pragma once
// Voice brush 6: squares in shades of the paint, at random angles that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush6 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush6()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 5, DabLook{DabShape::Square, 80, DabColour::Shades, DabTurn::Random}) {}
};
