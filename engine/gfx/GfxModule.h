#pragma once
// State shared by the graphics module: its last error word and the display facts the colour
// and port code consult. User-interface thread only; the state is unguarded.
#include "engine/EngineTypes.h"

EngineErr gfxGetLastError();
// Stores the error and returns it, so that calls can end with `return gfxSetError(...)`.
EngineErr gfxSetError(EngineErr error);

// Bits per pixel of the display (planes × bits, at most 24).
u16 gfxDisplayDepth();
void gfxSetDisplayDepth(u16 depth);
