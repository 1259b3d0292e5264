#pragma once
// The messages of the eraser panel's buttons: its two pages, its two tip shapes and the size
// buttons' one click message, which carries the size button's command in parameter 1 (or,
// with parameter 1 zero, the size's number in parameter 2).
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum EraserPanelCommand : u32 {
    kMsgEraserSize = 18200,
    kMsgEraserRound = 18201,
    kMsgEraserSquare = 18202,
    kMsgEraserEffectsPage = 18500,
    kMsgEraserPlainPage = 18501,
};

}  // namespace Ostrel
