#pragma once
// A window's rectangles between its client area and the screen, through where the display
// layer shows the client area. Both answer 1 when the rectangle was converted; 0, with the
// rectangle left as it was, for no window or no rectangle, a window the display does not show,
// or a corner that would fall outside the 32-bit range. User-interface thread only.
#include "engine/regions/RectConversions.h"
#include "platform/ui/Messages.h"

u16 ClientRectToScreen(plat::WindowHandle window, LongRect* rect);
u16 ScreenRectToClient(plat::WindowHandle window, LongRect* rect);
