#pragma once
// The current port as the drawing calls check it: for drawing (which may realise the palette
// of an 8-bit port) or for queries and state changes. Null with kGfxErrBadPort when there is none.
#include "engine/gfx/GfxPort.h"

inline GfxPort* gfxDrawingPort() { return gfxPortFromHandle(gfxGetPort(), kGfxCheckDraw); }
inline GfxPort* gfxQueriedPort() { return gfxPortFromHandle(gfxGetPort(), kGfxCheckQuery); }
