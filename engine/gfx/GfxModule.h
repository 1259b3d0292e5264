#pragma once
// State shared by the graphics module: its last error word and the display facts the colour
// and port code consult. User-interface thread only; the state is unguarded.
#include "engine/base/EngineTypes.h"

EngineErr gfxGetLastError();
// Stores the error and returns it, so that calls can end with `return gfxSetError(...)`.
EngineErr gfxSetError(EngineErr error);

// Bits per pixel of the display (planes × bits, at most 24).
u16 gfxDisplayDepth();
void gfxSetDisplayDepth(u16 depth);

// The QuickTime palette option of the graphics settings: on 16-bit displays palettes are
// realised with the low three bits of every colour byte set.
u16 gfxQtPaletteOption();
void gfxSetQtPaletteOption(u16 on);
