#pragma once
// Palettes: engine objects of 256 entries whose first and last entries mirror the system's
// static colours, kept in a ring of all palettes (the newest at its head). A palette handle is
// the object's address; 0 stands for the default palette where a call says so. Handles are
// checked against the ring before they are read, so a stale or foreign value is refused
// (kGfxErrBadPalette) rather than followed. Our displays have no hardware palette: realising keeps the
// decisions (animation or full realisation, static or no-static use) as state, observable
// through plat::gdi::DisplayPalette. User-interface thread only.
#include <memory>

#include "engine/gfx/GfxColor.h"
#include "platform/gdi/Palette.h"

class GfxPort;

constexpr u32 kGfxPaletteMagic = fourCC("PALE");
constexpr u8 kPalEntryAnimated = 0x01;
constexpr u8 kPalEntryChanged = 0x02;
constexpr u8 kPalEntryNoCollapse = 0x04;
constexpr u16 kGfxReservedTwenty = 20;
constexpr u16 kGfxReservedTwo = 2;
constexpr u16 kGfxSystemUseStatic = 1;
constexpr u16 kGfxSystemUseNoStatic = 2;

struct GfxPaletteEntry {
    u8 red;
    u8 green;
    u8 blue;
    u8 flags;
};

struct GfxPalette {
    u32 magic = 0;
    GfxPalette* next = nullptr;
    GfxPalette* previous = nullptr;
    GfxPort* ports = nullptr;
    u16 realised = 0;
    u16 changed = 0;
    u16 realisedInFront = 0;
    u16 ownCount = 0;
    std::unique_ptr<plat::gdi::Palette> native;
    GfxPaletteEntry entries[256] = {};
};

GfxPalette* const kGfxBadPaletteHandle = reinterpret_cast<GfxPalette*>(~uintptr_t(0));

// Builds the default palette (a 6 × 6 × 6 cube, twenty greys, the static colours); start-up.
EngineErr gfxInitPalettes();
// Disposes of every palette, the default one included.
void gfxShutdownPalettes();
GfxPalette* gfxDefaultPalette();
// The palette a handle names (0: the default palette), or null with kGfxErrBadPalette.
GfxPalette* gfxPaletteFromHandle(GfxPalette* handle);
u16 gfxReservedCount();

GfxPalette* gfxNewPalette(u16 count, const GfxColor* colors);
void gfxDisposePalette(GfxPalette* palette);
EngineErr gfxSetPaletteEntries(GfxPalette* palette, u16 first, u16 count, const GfxColor* colors);
i16 gfxRealizePalette(GfxPalette* palette, u16 foreground);
u16 gfxSetReservedColors(u16 two);
u16 gfxSetNoStaticColors(u16 on);
u16 gfxSetSystemPaletteUse(u16 use);
// Activation of the program's windows: restores or takes back the no-static system palette.
void gfxPaletteActivation(u16 active);
// Writes the entries into the native palette.
void gfxSyncNativePalette(GfxPalette* palette);
// Rewrites the native palette from the entries and marks the palette for a full realisation.
void gfxMarkForFullRealisation(GfxPalette* palette);
