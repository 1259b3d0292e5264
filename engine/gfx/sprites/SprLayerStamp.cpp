#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"

namespace {

constexpr u32 kSprStampRedrawn = kSprStopAtEnd | kSprStopWhenLoaded;
constexpr u32 kSprStampQuiet = kSprStampRedrawn | kSprNoOldArea;

// Runs a temporary sprite's first step with removals deferred, as during an update: a user
// procedure removing the sprite leaves it to the caller, which frees it when done with it.
void stepHeld(SprScreen& screen, SprSprite* s, memHandle region) {
    const u16 wasUpdating = screen.updating;
    screen.updating = 1;
    sprStep(s, region);
    screen.updating = wasUpdating;
}

// The first step against a throw-away region, so nothing becomes dirty.
void stepQuietly(SprScreen& screen, SprSprite* s) {
    stepHeld(screen, s, screen.clipSave);
    rgnSetEmpty(screen.clipSave);
}

void writeOrigins(SprSprite* s) {
    auto* list = reinterpret_cast<Point16*>(s->data1);
    for (const SprPart* p = s->parts; p->frame != 0; ++p) *list++ = Point16{p->x, p->y};
}

i16 countParts(const SprSprite* s) {
    i16 count = 0;
    while (count < i16(kSprMaxParts) && s->parts[count].frame != 0) ++count;
    return count;
}

}  // namespace

i16 sprMeasureShape(u16 shape, void* list, u16 mode) {
    SprScreen* screen = sprScreen();
    SprSprite* s = screen && list ? sprFind(sprNew(0, shape, nullptr)) : nullptr;
    if (!s) return 0;
    if (mode == kSprMeasureOrigins) {
        s->user = writeOrigins;
        s->data1 = reinterpret_cast<uintptr_t>(list);
    }
    stepQuietly(*screen, s);
    if (mode == kSprMeasureRects) {
        auto* rects = static_cast<Rect16*>(list);
        for (const SprPart* p = s->parts; p->frame != 0; ++p) {
            u16 width = 0, height = 0;
            if (p->frame != kSprEmptyPart) sprFrameSize(s->range, p->frame, &width, &height);
            *rects++ = Rect16{p->x, p->y, i16(p->x + width), i16(p->y + height)};
        }
    }
    sprStopSpriteSounds(s);
    s->hideCount = 0;
    sprApplyHide(s, 1);
    const i16 count = countParts(s);
    sprUnlink(s);
    sprFreeRecord(s);
    sprRunDeferredScreenCalls(screen);
    return count;
}

void sprStampShape(u16 shape, Rect16* bounds, u16 mode, SprUserProc user, uintptr_t data1, uintptr_t data2) {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    SprSprite* s = sprFind(sprNew(mode ? kSprStampRedrawn : kSprStampQuiet, shape, nullptr));
    if (!s) return;
    s->user = user;
    s->data1 = data1;
    s->data2 = data2;
    if (mode)
        stepHeld(*screen, s, screen->pending);
    else
        stepQuietly(*screen, s);
    if (bounds) *bounds = s->bounds;
    GfxPort* previous = gfxSetPort(screen->backgroundPort);
    sprDrawParts(s);
    gfxSetPort(previous);
    sprStopSpriteSounds(s);
    sprRemove(s, 1, mode);
    sprRunDeferredScreenCalls(screen);
}

i16 sprGetShapePartRects(u16 shape, Rect16* list) { return sprMeasureShape(shape, list, kSprMeasureRects); }

i16 sprGetShapePartOrigins(u16 shape, Point16* list) { return sprMeasureShape(shape, list, kSprMeasureOrigins); }
