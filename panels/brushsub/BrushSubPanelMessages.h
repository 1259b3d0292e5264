#pragma once
// What the brush sub-panels and the brush panel say to each other. The sub-modes are also the
// brush panel's sub-mode buttons' messages and name which sub-panel shows which strip.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum BrushSubMode : u16 {
    kBrushModeReal = 18003,
    kBrushModeWacky = 18004,
    kBrushModeHandsFree = 18005,
    kBrushModeVoice = 18006,
    kBrushModeRoller = 18007,
    kBrushModeSpray = 18008,
};

// The arrows of the strip every sub-panel shows: the forward one stands between the strip and
// the brush panel's sizes.
constexpr u16 kBrushStripArrowShape = 18025;

// The roller sub-panel to itself, once its strip stands: build the roller.
constexpr u32 kMsgRollerStart = 101;
// The spray sub-panel's pattern for the spray gun: parameter 1 the pattern's shape group,
// parameter 2 its slot, the data word the address of its table entry.
constexpr u32 kMsgSprayPatternChosen = 222;
// The item just chosen in the spray and roller strips (parameter 2), for the brush panel to
// remember.
constexpr u32 kMsgSprayItemChosen = 223;
constexpr u32 kMsgRollerItemChosen = 333;

}  // namespace Ostrel
