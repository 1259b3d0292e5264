#pragma once
// The palette module's shared state, for the palette and realisation code only.
#include "engine/gfx/GfxPalette.h"
#include "platform/gdi/DisplayPalette.h"

struct PaletteState {
    u16 reservedCount = kGfxReservedTwenty;
    u16 twoReserved = 0;
    u16 noStatic = 0;
    u16 systemUse = kGfxSystemUseStatic;
    GfxPalette* defaultPalette = nullptr;
    GfxPalette* head = nullptr;
    plat::gdi::ColorRef savedSysColors[plat::gdi::kSysColorCount] = {};
    bool sysColorsReplaced = false;
    u16 busy = 0;
};

PaletteState& paletteState();
// Calls f for each palette of the ring, starting at the head.
template <typename F>
void forEachPalette(F f) {
    GfxPalette* head = paletteState().head;
    if (!head) return;
    GfxPalette* p = head;
    do {
        GfxPalette* next = p->next;
        f(p);
        p = next;
    } while (p != head && paletteState().head);
}
