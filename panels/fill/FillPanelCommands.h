#pragma once
// The messages of the fill panel's mode buttons.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum FillPanelCommand : u32 {
    kMsgFillSolid = 18300,
    kMsgFillGradient = 18301,
    kMsgFillPattern = 18302,
};

}  // namespace Ostrel
