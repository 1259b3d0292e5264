#include "media/objects/MovieWorldDraw.h"

#include <algorithm>
#include <vector>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprScreen.h"

namespace pm = plat::media;

bool drawMovieWorld(pm::MrWorld* world, const Rect16& movieRect, i16 x, i16 y, const Rect16& area, GfxPort* port) {
    pm::MrPixMap* map = world ? qtWorldPixMap(world) : nullptr;
    const u8* base = map ? qtPixelBase(map) : nullptr;
    if (!base) return false;
    const i16 width = i16(movieRect.right), height = i16(movieRect.bottom);
    Rect16 shown{x, y, i16(x + width), i16(y + height)};
    if (!rectIntersect(&shown, area)) return false;
    GfxPort* target = port;
    if (!target) {
        const SprScreen* screen = sprScreen();
        target = screen ? screen->workPort : nullptr;
    }
    if (!target) return false;
    // The part inside the area, in rows of the stride the drawing call expects.
    const i32 shownWidth = shown.right - shown.left, shownHeight = shown.bottom - shown.top;
    const i32 stride = pm::paddedRowBytes(shownWidth, 16);
    std::vector<u8> rows(size_t(stride) * size_t(shownHeight));
    for (i32 row = 0; row < shownHeight; ++row) {
        const u8* from = base + i64(shown.top - y + row) * map->rowBytes + i64(shown.left - x) * 2;
        std::copy(from, from + shownWidth * 2, rows.data() + size_t(row) * size_t(stride));
    }
    GfxPort* previous = gfxSetPort(target);
    gfxDrawPixelBuffer(shown, rows.data(), 16);
    gfxSetPort(previous);
    return true;
}
