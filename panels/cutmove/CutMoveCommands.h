#pragma once
// The messages of the cut and move panel: its mode and edit buttons (button set 926, whose
// click messages are the buttons' ids), the cut-shape choice it posts to itself, and the end
// of a cut that others may ask for. The clip's own reports are tools/cut/RGraphicClip.h's; a
// finished cut shape's region is tools/cut/CutRegion.h's.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kMsgCutMode = 22300;
constexpr u32 kMsgMoveMode = 22301;
constexpr u32 kMsgCutPanelCopy = 22350;
constexpr u32 kMsgCutPanelPaste = 22351;
constexpr u32 kMsgCutPanelCut = 22352;
// Parameter 2: the cut-shape item to scroll to and select.
constexpr u32 kMsgSelectCutShape = 13001;
constexpr u32 kMsgEndCut = 32112;

}  // namespace Ostrel
