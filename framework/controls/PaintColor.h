#pragma once
// The program-wide current paint colour, which the colour pickers set and the tinted strips
// and painting tools read. Its address stays the same, so messages may carry a pointer to it.
// User-interface thread only.
#include "engine/gfx/GfxColor.h"

namespace Ostrel {

GfxColor& CurrentPaintColor();
// Red in bits 0-7, green 8-15, blue 16-23.
u32 PackedPaintColor();

}  // namespace Ostrel
