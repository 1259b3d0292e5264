#pragma once
// The sprite layer's screen state: the display list between its two sentinels, the three
// ports (the window, the work picture where the screen is composed and the background that
// lies behind every sprite) and the regions of the screen update. One instance, filled by
// sprInit and made the global state by the application; null before start-up and after
// shutdown, when every sprite call does nothing. User-interface thread only.
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprSprite.h"

struct SprScreen {
    GfxPort* windowPort;
    GfxPort* workPort;
    GfxPort* backgroundPort;
    SprSprite* back;
    SprSprite* front;
    Rect16 screenRect;
    // While non-zero the update does nothing.
    u16 suspended;
    u16 updating;
    // A reset or shutdown asked for while updating, carried out when the update ends.
    u16 resetPending;
    u16 shutdownPending;
    // Invalidations made outside an update; moved into the dirty region when one starts.
    memHandle pending;
    memHandle dirty;
    memHandle clipSave;
    memHandle scratch;
    u16 soundEnabled;
    u16 midiPlaying;
    u16 soundVolume;
    // Sprites currently picked up.
    u16 activeCount;
    // The clock at the start of the update: the time base of every sprite step.
    u32 currentTime;
    // Debug: fill the screen before each update and copy all of it, to show what is redrawn.
    u16 showRedraw;
    // Whether the last update drew anything: a screen that stands still lets the loop slow down.
    u16 lastUpdateDrew;
};

SprScreen* sprScreen();
void sprSetScreen(SprScreen* screen);
