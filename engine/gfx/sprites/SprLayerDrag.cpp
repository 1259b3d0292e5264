#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"

namespace {

constexpr u16 kSprModeDrop = 2;
constexpr u32 kSprKeepPickedUp = 1;
SprMouseTransform mouseTransform = nullptr;

void moveBy(SprSprite* s, i16 dx, i16 dy) {
    rectOffset(&s->bounds, dx, dy);
    for (SprPart* p = s->parts; p->frame != 0; ++p) {
        if (p->frame == kSprEmptyPart) continue;
        p->x = i16(p->x + dx);
        p->y = i16(p->y + dy);
    }
    if (s->region) rgnOffset(s->region, dx, dy);
}

// Pushes one axis of the moved bounds back inside the limit.
i16 pushInside(i16 low, i16 high, i16 limitLow, i16 limitHigh) {
    if (high - low >= limitHigh - limitLow || low < limitLow) return limitLow;
    if (high > limitHigh) return i16(low - (high - limitHigh));
    return low;
}

}  // namespace

void sprApplyHide(SprSprite* s, u16 markDirty) {
    const u8 hidden = s->hideCount >= 0;
    s->paused = s->pauseCount >= 0;
    if (hidden == s->hidden) return;
    s->hidden = hidden;
    if (markDirty) sprInvalArea(s);
}

i16 sprHide(SprSprite* s, u16 markDirty, u16 count) {
    if (!s || !sprScreen()) return 0;
    sprStopSpriteSounds(s);
    if (count) {
        ++s->hideCount;
        ++s->pauseCount;
    }
    sprApplyHide(s, markDirty);
    return s->hideCount;
}

i16 sprShow(SprSprite* s, u16 count) {
    if (!s || !sprScreen()) return 0;
    if (count) {
        --s->hideCount;
        --s->pauseCount;
    }
    const u8 hidden = s->hideCount >= 1;
    s->paused = s->pauseCount >= 1;
    if (hidden != s->hidden) {
        s->hidden = hidden;
        sprInvalArea(s);
    }
    return s->hideCount;
}

void sprMoveTo(SprSprite* s, const Point16* point) {
    if (!s || !point || !sprScreen()) return;
    // The old place is erased by the next update, whether the sprite is shown or not.
    sprInvalArea(s);
    if (s->hidden) s->nextStepTime = 0;
    if (s->parts[0].frame != 0) moveBy(s, i16(point->h - s->position.h), i16(point->v - s->position.v));
    s->position = *point;
    s->changed = 1;
}

u16 sprActivate(SprSprite* s, const Point16* mouse, u16 mode, u32 flags, const Rect16* limit) {
    if (!s || !sprScreen()) return 0;
    s->hidden = 0;
    const bool pickedUp = s->dragFlags & kSprDragActive;
    if (mode == kSprModeDrop) {
        if (!pickedUp || (flags & kSprKeepPickedUp)) return 0;
        if (s->deactivate) s->deactivate(s);
        return 1;
    }
    if (pickedUp) {
        if (s->deactivate) s->deactivate(s);
    } else if (s->activate) {
        s->activate(s, mouse, flags, limit);
    }
    return 1;
}

u16 sprPickUp(SprSprite* s, const Point16* mouse, u32 flags, const Rect16* limit) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return 0;
    s->savedId = s->id;
    if (s->id == 0 || !sprFindLinked(s->id)) return 0;
    if (!s->hidden) sprInvalArea(s);
    sprTakeOut(s);
    s->dragFlags |= flags | kSprDragActive;
    ++screen->activeCount;
    s->savedFlags = s->flags;
    s->clipEnabled = 0;
    s->flags = (s->flags & ~kSprBackLayer) | kSprAboveAll | kSprFrontLayer | kSprPickedUp;
    sprLinkBehind(s, screen->front);
    s->savedInterval = s->interval;
    s->savedPosition = s->position;
    s->nextStepTime = 0;
    Point16 at{};
    if (mouse)
        at = *mouse;
    else
        sprGetMouse(&at);
    s->grabOffset = Point16{i16(at.h - s->position.h), i16(at.v - s->position.v)};
    // A sprite that does not follow the pointer by itself stays where it was picked up until
    // it is told where the pointer went: an update before that must not carry it to the
    // pointer of an earlier drag, drawing it where no later update erases it.
    s->mouse = at;
    s->savedStep = s->step;
    s->step = s->drag;
    if (limit) {
        s->limit = *limit;
        s->dragFlags |= kSprDragLimit;
    }
    return 1;
}

void sprDragProc(SprSprite* s, memHandle region) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return;
    if (s->dragFlags & kSprDragFollow) sprGetMouse(&s->mouse);
    Point16 wanted{i16(s->mouse.h - s->grabOffset.h), i16(s->mouse.v - s->grabOffset.v)};
    if (s->dragFlags & kSprDragLimit) {
        Rect16 moved = s->bounds;
        rectOffset(&moved, i16(wanted.h - s->position.h), i16(wanted.v - s->position.v));
        const i16 left = pushInside(moved.left, moved.right, s->limit.left, s->limit.right);
        const i16 top = pushInside(moved.top, moved.bottom, s->limit.top, s->limit.bottom);
        wanted.h = i16(wanted.h + (left - moved.left));
        wanted.v = i16(wanted.v + (top - moved.top));
    }
    if (wanted.h != s->position.h || wanted.v != s->position.v) {
        s->changed = 1;
        sprInvalRect(s->bounds);
        const i16 dx = i16(wanted.h - s->position.h), dy = i16(wanted.v - s->position.v);
        s->position = wanted;
        moveBy(s, dx, dy);
    }
    if (s->savedStep) s->savedStep(s, region);
}

void sprDeactivate(SprSprite* s) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return;
    sprInvalRect(s->bounds);
    s->step = s->savedStep;
    s->interval = s->savedInterval;
    s->flags = s->savedFlags;
    s->dragFlags &= ~kSprDragActive;
    if (s->dragFlags & kSprDragReturn) {
        const Point16 back = s->savedPosition;
        sprMoveTo(s, &back);
    }
    if (s->dragFlags & kSprDragHideOnDrop) {
        sprStopSpriteSounds(s);
        sprApplyHide(s, 1);
    }
    s->id = s->savedId;
    if (screen->activeCount) --screen->activeCount;
}

void sprSetMouseTransform(SprMouseTransform transform) { mouseTransform = transform; }

void sprGetMouse(Point16* out) {
    SprScreen* screen = sprScreen();
    if (!out) return;
    gfxGetMouse(out);
    // The cursor is counted from the screen's corner and the port from its window's.
    if (screen && screen->windowPort) {
        const Point16 window = screen->windowPort->ScreenOrigin();
        out->h = i16(out->h - window.h);
        out->v = i16(out->v - window.v);
    }
    if (mouseTransform) mouseTransform(out);
    if (screen && screen->windowPort) {
        out->h = i16(out->h - screen->windowPort->deviceRect.left);
        out->v = i16(out->v - screen->windowPort->deviceRect.top);
    }
}
