#pragma once
// Palette fades toward a palette resource ('tPAL': big-endian first index and count, then
// count entries of three colour bytes and a flag byte). The fade runs on the current port's
// palette (the default one when no port is current) until its duration has passed, letting
// the engine's scheduler run between steps, and ends on the target colours. Resources come
// from files: a range past the 256 entries or past the resource is refused. User-interface
// thread only.
#include "engine/gfx/GfxPalette.h"

constexpr FourCC kPaletteResourceType = fourCC("tPAL");

struct PaletteFade {
    GfxPalette* palette;
    u16 first;
    u16 count;
    GfxPaletteEntry current[256];
    GfxPaletteEntry target[256];
    u32 duration;
    u32 elapsed;
    u32 lastStep;
    u16 result;
};

// Fills the fade from the resource; false when it cannot be used or changes no colour.
bool PaletteFadeSetUp(PaletteFade* fade, u16 paletteId, u32 durationMs);
// Writes the colours for the elapsed time into the palette and realises it.
void PaletteFadeStep(const PaletteFade& fade);

// 0 when the fade ran to its end; 1 when the resource cannot be used or equals the current
// colours.
u16 PlayPaletteFade(u32 durationMs, u16 paletteId);
// The target colours at once.
u16 SetPaletteFromResource(u16 paletteId);
