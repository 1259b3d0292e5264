#pragma once
// A rectangle of a 16-bit picture as a 24-bit picture of its own, each channel spread over
// the whole range (31 becomes 255 rather than 248): what is white on the page prints as the
// paper's white. User-interface thread only.
#include "engine/gfx/GfxPort.h"

namespace Ostrel {

// Null when the source is not a 16-bit offscreen picture or memory runs short; the caller
// disposes of the port it gets. The area is cut to the source.
GfxPort* FullRangeCopy(GfxPort* source, const Rect16& area);

}  // namespace Ostrel
