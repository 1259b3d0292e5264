#include "engine/gfx/OffscreenPortForRect.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"

GfxPort* CreateOffscreenPortForRect(const Rect16& rect, u16 depth) {
    const u16 width = u16(i32(rect.right) - rect.left), height = u16(i32(rect.bottom) - rect.top);
    GfxPort* port = gfxNewOffscreenPort(width, height, depth, nullptr);
    if (!port) return nullptr;
    GfxPort* previous = gfxGetPort();
    GfxPalette* palette = previous ? gfxGetPortPalette() : nullptr;
    gfxLockPort(port);
    gfxSetPort(port);
    gfxSetPortPalette(palette);
    gfxSetPortOrigin(u16(rect.left), u16(rect.top));
    gfxResetClipRect(rect);
    gfxSetPort(previous);
    return port;
}

GfxPort* CreateOffscreenPort(u16 width, u16 height, u16 depth) {
    return CreateOffscreenPortForRect(Rect16{0, 0, i16(width), i16(height)}, depth);
}
