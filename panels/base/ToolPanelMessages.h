#pragma once
// The messages the tool panels send to their listeners (the tool manager and the canvas)
// besides the tool manager's 'born', 'kild' and 'chng' (tools/base/RToolMgr.h).
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Enables the canvas's click area with the cursor number in parameter 2.
constexpr u32 kMsgPanelEnableCanvas = 6616;
// Disables it (a panel that drew on the canvas goes away).
constexpr u32 kMsgPanelDisableCanvas = 6617;
// A panel whose tools draw with OpenGL: the canvas binds the program's renderer to its picture.
constexpr u32 kMsgPanelBindRenderer = 6660;
// A panel to itself: select the remembered strip item (parameter 2).
constexpr u32 kMsgPanelSelectItem = 18800;
// The message base of the tool panels' own button sets.
constexpr u16 kToolPanelMessageBase = 18000;
constexpr FourCC kToolPanelTag = fourCC("Tool");

}  // namespace Ostrel
