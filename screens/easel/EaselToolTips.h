#pragma once
// The hover messages of the easel's buttons and the tool tip each shows: the text key of
// section "ToolTips" and the button the tip stands under.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

struct EaselToolTip {
    u32 message;
    u16 button;
    const char* key;
};

// Null for a message that is no hover message of the easel.
const EaselToolTip* easelToolTip(u32 message);

}  // namespace Ostrel
