#include "engine/gfx/GfxModule.h"

#include "platform/gdi/DisplayPalette.h"

namespace {

EngineErr lastError = kErrNone;
u16 qtPaletteOption = 0;

}  // namespace

EngineErr gfxGetLastError() { return lastError; }

EngineErr gfxSetError(EngineErr error) {
    lastError = error;
    return error;
}

u16 gfxDisplayDepth() { return u16(plat::gdi::DisplayPalette::instance().bitsPerPixel()); }

void gfxSetDisplayDepth(u16 depth) { plat::gdi::DisplayPalette::instance().setBitsPerPixel(depth > 24 ? 24 : depth); }

u16 gfxQtPaletteOption() { return qtPaletteOption; }
void gfxSetQtPaletteOption(u16 on) { qtPaletteOption = on ? 1 : 0; }
