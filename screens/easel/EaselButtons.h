#pragma once
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Buttons the easel acts on by id.
constexpr u16 kPlayButton = 1038;
constexpr u16 kStopButton = 1042;
constexpr u16 kSlideShowButton = 1073;
constexpr u16 kStartOverButton = 1077;
constexpr u16 kHelpButton = 1070;
// The snail: Undo's sprite, drawn by the easel rather than the button set.
constexpr u16 kUndoShape = 1082;

}  // namespace Ostrel
