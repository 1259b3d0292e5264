#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"

namespace {

constexpr u16 kPaletteSize = 256;

}  // namespace

EngineErr gfxGetPaletteEntries(GfxPalette* palette, u16 first, u16 count, GfxColor* out) {
    if (palette == kGfxBadPaletteHandle || !(palette = gfxPaletteFromHandle(palette))) return gfxSetError(kGfxErrBadPalette);
    u32 half = gfxReservedCount() / 2;
    for (u32 i = 0; i < count && u32(first) + i < kPaletteSize; ++i) {
        u32 index = first + i;
        const GfxPaletteEntry& e = palette->entries[index];
        bool inUse = index < half + palette->ownCount || index >= kPaletteSize - half;
        out[i] = GfxColor::rgb(e.red, e.green, e.blue, inUse ? u8(e.flags & kPalEntryAnimated) : kGfxColorFlagDefault);
    }
    return gfxSetError(kErrNone);
}
