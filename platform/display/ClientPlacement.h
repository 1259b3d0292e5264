#pragma once
// Where a window's client area lies in the window's own picture when the desktop gave the window
// another size than the client area's: the client area in the window's middle, on black; on a
// full screen, the part of it that matters (`middle`) in the screen's middle. A window smaller
// than its client area shows the area's top-left part, its menus; a full screen may push the
// area's rim (the menu band) off its edges instead.
#include "platform/gdi/Geometry.h"

namespace plat {

// The client area's top-left corner in a window `room` wide and high.
gdi::Point clientPlacement(gdi::Point room, const gdi::Rect& client, const gdi::Rect& middle, bool fullScreen);

}  // namespace plat
