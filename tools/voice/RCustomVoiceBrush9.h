#pragma once
// Voice brush 9: diamonds in the rainbow's colours that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush9 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush9()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 8, DabLook{DabShape::Diamond, 100, DabColour::Rainbow, DabTurn::None}) {}
};
