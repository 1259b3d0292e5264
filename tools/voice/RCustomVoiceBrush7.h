#pragma once
// Voice brush 7: sparkles in the rainbow's colours that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush7 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush7()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 6, DabLook{DabShape::Sparkle, 120, DabColour::Rainbow, DabTurn::None}) {}
};
