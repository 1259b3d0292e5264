#pragma once
// The messages of the pencil panel's own buttons. A kind or size button's click carries the
// button's command in parameter 1; a line style is told by its message alone.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kMsgPencilSize = 18200;
constexpr u32 kMsgPencilKind = 18400;
// The line styles 18450-18457 put a shape tool in front of the pencil; the last is freehand.
constexpr u32 kMsgPencilLineFirst = 18450;
constexpr u32 kMsgPencilFreehand = 18458;

}  // namespace Ostrel
