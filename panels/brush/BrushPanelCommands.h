#pragma once
// The messages of the brush panel's own buttons: the three families, and the size buttons'
// one click message, which carries the size button's command in parameter 1. The sub-mode
// buttons send the sub-modes themselves (panels/brushsub/BrushSubPanelMessages.h).
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum BrushPanelCommand : u32 {
    kMsgBrushFamilyBrushes = 18000,
    kMsgBrushFamilyVoice = 18001,
    kMsgBrushFamilyRollers = 18002,
    kMsgBrushSize = 18200,
};

}  // namespace Ostrel
