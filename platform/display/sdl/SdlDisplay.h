#pragma once
// The display driver for people: SDL windows on the desktop. Each display window is an SDL
// window of the client size with a streaming texture shown by SDL's software renderer (never
// GL, which would fight the program's own OSMesa drawing over the thread's GL binding);
// presenting converts the changed part of the surface and uploads it. Key events are read by their physical key (scancode) and
// mapped to the virtual keys of the US layout, so the program's own key translation applies.
// On X11 the driver also wakes the user-interface thread's message wait when input arrives
// (see InputWatcher.h): the message loop pumps the events, then waits for messages. The
// desktop's request to end the program (SDL_QUIT) and a caught SIGINT or SIGTERM
// (QuitSignals.h) are delivered as a quit request (InputDelivery.h).
#include <memory>

#include "platform/display/DisplayDriver.h"

namespace plat {

// Null when SDL cannot open a real display (no X or Wayland server, an X server that did not
// answer within its time, or only SDL's dummy and offscreen drivers, which show nothing). `videoDriver` forces one of SDL's drivers ("x11",
// or "offscreen" for measurements in memory); null lets SDL choose.
std::unique_ptr<DisplayDriver> makeSdlDisplay(const char* videoDriver = nullptr);
// Whether the last makeSdlDisplay found no display server to open, or one that refused it
// (not a driver that shows nothing named by SDL_VIDEODRIVER).
bool sdlDisplayRefused();
// Whether that display took the connection and did not answer it in time.
bool sdlDisplaySilent();

}  // namespace plat
