#pragma once
// Voice brush 10: confetti of every colour that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush10 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush10()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 9, DabLook{DabShape::Square, 60, DabColour::Confetti, DabTurn::Random}) {}
};
