#pragma once
// Offscreen ports made for a rectangle of the screen or a picture: the port's origin is the
// rectangle's top-left and its clip the rectangle, it takes the current port's palette (the
// default one when no port is current) and is handed back locked, the current port unchanged.
// Null (the graphics error set) when it cannot be made. User-interface thread only.
#include "engine/gfx/GfxPort.h"

GfxPort* CreateOffscreenPortForRect(const Rect16& rect, u16 depth);
GfxPort* CreateOffscreenPort(u16 width, u16 height, u16 depth);
