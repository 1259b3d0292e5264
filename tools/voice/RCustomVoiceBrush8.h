#pragma once
// Voice brush 8: raindrops that grow with the child's voice.
#include "tools/base/ToolNames.h"
#include "tools/voice/RCustomVoiceBrush.h"

class RCustomVoiceBrush8 : public RCustomVoiceBrush {
public:
    RCustomVoiceBrush8()
        : RCustomVoiceBrush(kToolIdVoiceBrush1 + 7, DabLook{DabShape::Drop, 110, DabColour::Paint, DabTurn::None}) {}
};
