#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"

namespace {

SprSprite* newSentinel(u16 id, u32 flags) {
    auto* s = new SprSprite{};
    s->id = id;
    s->flags = flags;
    s->scriptIndex = s->range = -1;
    return s;
}

// Disposes the sprites drawn from a group slot, or every sprite.
void disposeSprites(u16 slot) {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    for (SprSprite* s = screen->back->inFront; s && s != screen->front;) {
        SprSprite* next = s->inFront;
        if (slot == kSprNoSlot || s->range == i16(slot)) {
            sprStopSpriteSounds(s);
            sprDisposePtr(&s);
        }
        s = next;
    }
}

void showMessage(const char* text, u32 milliseconds) { sprShowMessage(text, milliseconds, nullptr); }

void disposeRegions(SprScreen* screen) {
    for (memHandle* r : {&screen->dirty, &screen->pending, &screen->clipSave, &screen->scratch}) {
        if (*r) rgnDispose(*r);
        *r = 0;
    }
}

}  // namespace

SprScreen* sprInit(SprScreen* memory, GfxPort* windowPort, GfxPort* workPort, Rect16 screenRect, GfxPalette* palette) {
    if (!memory) return nullptr;
    *memory = SprScreen{};
    memory->back = newSentinel(kSprBackId, kSprBackLayer);
    memory->front = newSentinel(kSprFrontId, kSprFrontLayer);
    sprLinkInFront(memory->front, memory->back);
    for (memHandle* r : {&memory->dirty, &memory->pending, &memory->clipSave, &memory->scratch}) *r = rgnCreate();
    memory->backgroundPort = CreateOffscreenPortForRect(screenRect, gfxGetPortDepth());
    if (!memory->dirty || !memory->pending || !memory->clipSave || !memory->scratch || !memory->backgroundPort) {
        if (memory->backgroundPort) {
            gfxUnlockPort(memory->backgroundPort);
            gfxDisposePort(memory->backgroundPort);
        }
        disposeRegions(memory);
        delete memory->back;
        delete memory->front;
        *memory = SprScreen{};
        return nullptr;
    }
    GfxPort* previous = gfxSetPort(memory->backgroundPort);
    gfxSetPortPalette(palette);
    gfxCopyBits(memory->backgroundPort, workPort, screenRect, screenRect, 0);
    gfxSetPort(previous);
    memory->soundEnabled = 1;
    memory->screenRect = screenRect;
    memory->workPort = workPort;
    memory->windowPort = windowPort;
    sprSetShapeHooks(SprShapeHooks{disposeSprites, sprRefindShapes, sprFreeSoundChannels, showMessage});
    return memory;
}

void sprResetScreen() {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    if (screen->updating) {
        screen->resetPending = 1;
        return;
    }
    screen->resetPending = 0;
    sprReleaseGroup(0, 0);
    rgnSetEmpty(screen->dirty);
    rgnSetEmpty(screen->pending);
    if (screen->soundEnabled) screen->midiPlaying = 0;
}

void sprShutdown(SprScreen* screen) {
    if (!screen || !screen->back) return;
    if (screen->updating) {
        screen->shutdownPending = 1;
        return;
    }
    screen->shutdownPending = 0;
    SprScreen* installed = sprScreen();
    sprSetScreen(screen);
    sprResetScreen();
    screen->updating = 1;
    sprFreeSoundChannels();
    sprSetShapeHooks(SprShapeHooks{});
    // Sprites kept out of the list by their owners are theirs; the list holds only the sentinels.
    for (SprSprite* s = screen->back; s;) {
        SprSprite* next = s->inFront;
        sprTakeOut(s);
        sprFreeRecord(s);
        s = next;
    }
    screen->back = screen->front = nullptr;
    if (screen->backgroundPort) {
        GfxPort* previous = gfxSetPort(screen->backgroundPort);
        gfxSetPortPalette(nullptr);
        gfxUnlockPort(screen->backgroundPort);
        gfxSetPort(previous == screen->backgroundPort ? nullptr : previous);
        gfxDisposePort(screen->backgroundPort);
        screen->backgroundPort = nullptr;
    }
    disposeRegions(screen);
    sprSetScreen(installed == screen ? nullptr : installed);
}

void sprRunDeferredScreenCalls(SprScreen* screen) {
    if (!screen || screen->updating) return;
    if (screen->shutdownPending) return sprShutdown(screen);
    if (screen->resetPending && screen == sprScreen()) sprResetScreen();
}
