#pragma once
// SDL as the program's display on a private X server, drawing through its software renderer
// so that what the server shows is exactly what was presented.
#include <cstdlib>
#include <memory>

#include "platform/display/DisplayDriver.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "tests/xserver/XvfbServer.h"

// The SDL driver on `server` (DISPLAY pointed at it), or null when SDL cannot open it.
inline std::unique_ptr<plat::DisplayDriver> sdlDisplayOn(const XvfbServer& server) {
    setenv("DISPLAY", server.display().c_str(), 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    return plat::makeSdlDisplay("x11");
}
