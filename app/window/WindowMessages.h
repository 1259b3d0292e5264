#pragma once
// The messages the main window's own listener part takes: from the window itself, its menus
// and the dialogs it owns.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// The pointer's place in the message's point, handed on as a move with no button down.
constexpr u32 kMsgSyntheticMouseMove = 55;
constexpr u32 kMsgShowAbout = 56;
// The dialog the window holds for a screen has closed.
constexpr u32 kMsgCloseOwnedDialog = 57;
constexpr u32 kMsgOpenGettingStarted = 60;
constexpr u32 kMsgCloseGettingStarted = 61;

}  // namespace Ostrel
