#include "engine/gfx/WindowRectConversions.h"

#include <limits>

#include "platform/display/DisplayWindow.h"

namespace {

// Both corners moved by the client area's place on the screen, forwards (1) or back (-1).
u16 moveByClientOrigin(plat::WindowHandle window, LongRect* rect, i64 direction) {
    const plat::DisplayWindow* face = window == plat::kNoWindow ? nullptr : plat::findDisplayWindow(window);
    if (!face || !rect) return 0;
    const plat::gdi::Point origin = face->clientOrigin();
    const i64 dx = direction * origin.x, dy = direction * origin.y;
    const i64 moved[] = {rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
    for (const i64 value : moved)
        if (value < std::numeric_limits<i32>::min() || value > std::numeric_limits<i32>::max()) return 0;
    *rect = LongRect{i32(moved[0]), i32(moved[1]), i32(moved[2]), i32(moved[3])};
    return 1;
}

}  // namespace

u16 ClientRectToScreen(plat::WindowHandle window, LongRect* rect) { return moveByClientOrigin(window, rect, 1); }

u16 ScreenRectToClient(plat::WindowHandle window, LongRect* rect) { return moveByClientOrigin(window, rect, -1); }
