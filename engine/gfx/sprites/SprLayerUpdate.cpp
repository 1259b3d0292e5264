#include <cstdint>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"
#include "platform/clock/Clock.h"

namespace {

constexpr u16 kCopyMode = 0;
constexpr i16 kShowRedrawColour = 255;

GfxColor paletteColour(i16 index) {
    GfxColor c;
    c.FromIndex(index);
    return c;
}

bool meets(memHandle region, const Rect16& bounds) {
    const auto* record = static_cast<const RegionRecord*>(memDerefHandle(region));
    if (!record || rectIsEmpty(bounds)) return false;
    Rect16 probe = bounds;
    if (!rectIntersect(&probe, record->bounds)) return false;
    for (u16 i = 0; i < record->count; ++i) {
        Rect16 r = rgnRects(record)[i];
        if (rectIntersect(&r, bounds)) return true;
    }
    return false;
}

// The bounding box of what sprInvalChangedArea adds for the sprite.
Rect16 changedArea(const SprSprite* s) {
    if (s->clipEnabled) return s->clipRect;
    if (s->region) {
        const auto* record = static_cast<const RegionRecord*>(memDerefHandle(s->region));
        return record && record->count ? record->bounds : Rect16{};
    }
    return s->bounds;
}

bool insideOf(Rect16 r, const Rect16& outer) {
    const Rect16 whole = r;
    return rectIntersect(&r, outer) && rectEqual(r, whole);
}

// Whether the part's far edges stay within 16-bit coordinates: a part placed past them would
// wrap round onto the screen, and it can never be on it.
bool fitsCoordinates(i16 slot, const SprPart& p) {
    u16 width = 0, height = 0;
    sprFrameSize(slot, p.frame, &width, &height);
    return i32(p.x) + width <= INT16_MAX && i32(p.y) + height <= INT16_MAX;
}

// The sprite stepped after `s`. A callback may have taken `s` out of the list, even with the
// sprite in front of it: the walk goes on with that one, or else with whatever now follows
// the sprite that was behind `s`.
SprSprite* nextToStep(SprSprite* s, SprSprite* behind, SprSprite* inFront) {
    if (sprIsLinked(s)) return s->inFront;
    if (inFront && sprIsLinked(inFront)) return inFront;
    if (behind && sprIsLinked(behind)) return behind->inFront;
    return nullptr;
}

void freeDeletePending(SprScreen& screen) {
    for (SprSprite* s = screen.back->inFront; s && s != screen.front;) {
        SprSprite* next = s->inFront;
        // The same path as an immediate removal, so that a picked-up sprite is dropped first.
        if (s->deletePending) sprRemove(s, 1, s->deletePending == kSprDeleteMarked);
        s = next;
    }
}

}  // namespace

std::vector<Rect16> sprRegionRects(memHandle region) {
    const auto* record = region ? static_cast<const RegionRecord*>(memDerefHandle(region)) : nullptr;
    if (!record) return {};
    return std::vector<Rect16>(rgnRects(record), rgnRects(record) + record->count);
}

void sprInvalRect(Rect16 rect) {
    SprScreen* screen = sprScreen();
    if (!screen || rectIsEmpty(rect)) return;
    rgnUnionRect(screen->updating ? screen->dirty : screen->pending, rect);
}

void sprInvalRgn(memHandle region) {
    SprScreen* screen = sprScreen();
    if (!screen || !region || rgnIsEmpty(region)) return;
    rgnUnion(screen->updating ? screen->dirty : screen->pending, region);
}

void sprInvalArea(SprSprite* s) {
    if (s->region)
        sprInvalRgn(s->region);
    else
        sprInvalRect(s->bounds);
}

void sprInvalChangedArea(SprSprite* s, memHandle into) {
    if (!into) {
        if (s->clipEnabled) return sprInvalRect(s->clipRect);
        return sprInvalArea(s);
    }
    if (s->clipEnabled) {
        if (!rectIsEmpty(s->clipRect)) rgnUnionRect(into, s->clipRect);
    } else if (s->region) {
        rgnUnion(into, s->region);
    } else if (!rectIsEmpty(s->bounds)) {
        rgnUnionRect(into, s->bounds);
    }
}

void sprDrawParts(SprSprite* s) {
    SprScreen* screen = sprScreen();
    if (!screen || !s || s->hidden || s->range == -1) return;
    if (s->clipEnabled) {
        gfxGetClipRgn(screen->clipSave);
        rgnCopy(screen->scratch, screen->dirty);
        rgnIntersectRect(screen->scratch, s->clipRect);
        gfxSetClipRgn(screen->scratch);
    }
    const i16 frames = i16(sprGroupFrameCount(s->range));
    for (SprPart* p = s->parts; p->frame != 0; ++p) {
        if (p->frame == kSprEmptyPart) continue;
        if (i16(p->frame) > frames) {
            // A frame the group does not have ends the list for every later walk.
            p->frame = 0;
            continue;
        }
        std::span<const u8> bitmap = sprGroupFrame(s->range, i16(p->frame));
        if (bitmap.empty() || !fitsCoordinates(s->range, *p)) continue;
        gfxDrawBitmap(bitmap.data(), u32(bitmap.size()), p->x, p->y, kGfxModeTransparent);
    }
    if (s->clipEnabled) {
        gfxSetClipRgn(screen->clipSave);
        rgnSetEmpty(screen->scratch);
    }
}

void sprUpdateScreen(u16 copyToWindow) {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    rgnSetEmpty(screen->scratch);
    if (screen->suspended || screen->updating) return;
    screen->updating = 1;
    GfxPort* previous = gfxSetPort(screen->workPort);
    if (screen->showRedraw) gfxFillRect(screen->screenRect, paletteColour(kShowRedrawColour), kCopyMode);
    rgnUnion(screen->dirty, screen->pending);
    rgnSetEmpty(screen->pending);
    screen->currentTime = plat::clockMillis();

    for (SprSprite* s = screen->back; s;) {
        SprSprite* const behind = s->behind;
        SprSprite* const inFront = s->inFront;
        if (s->step) s->step(s, screen->dirty);
        s = nextToStep(s, behind, inFront);
    }

    rgnIntersectRect(screen->dirty, screen->screenRect);
    for (const Rect16& r : sprRegionRects(screen->dirty))
        gfxCopyBits(screen->workPort, screen->backgroundPort, r, r, kCopyMode);
    gfxSetClipRgn(screen->dirty);

    for (SprSprite* s = screen->back; s; s = s->inFront) {
        if (s->changed) {
            // The dirty region stays inside the screen; only an area reaching out of it needs
            // the region cut again, and only a grown region a new clip.
            const Rect16 area = changedArea(s);
            if (!rectIsEmpty(area)) {
                sprInvalChangedArea(s, screen->dirty);
                if (!insideOf(area, screen->screenRect)) rgnIntersectRect(screen->dirty, screen->screenRect);
                gfxSetClipRgn(screen->dirty);
            }
            if (s->draw) s->draw(s);
        } else if (s->draw && meets(screen->dirty, s->bounds)) {
            s->draw(s);
        }
        s->changed = 0;
    }

    if (screen->showRedraw) rgnUnionRect(screen->dirty, screen->screenRect);
    screen->lastUpdateDrew = rgnIsEmpty(screen->dirty) ? 0 : 1;
    if (copyToWindow && screen->windowPort) {
        gfxRealizePalette(gfxGetPortPalette(), 1);
        for (const Rect16& r : sprRegionRects(screen->dirty))
            gfxCopyBits(screen->windowPort, screen->workPort, r, r, kCopyMode);
    }
    // The sprites' sounds start with the update that shows the picture, once it is on the
    // screen: opening a sound can take longer than a frame, and the picture does not wait.
    if (copyToWindow) sprServiceSounds();
    rgnSetEmpty(screen->dirty);
    gfxResetClipRect(screen->screenRect);
    gfxSetPort(previous);
    screen->updating = 0;
    freeDeletePending(*screen);
    sprRunDeferredScreenCalls(screen);
}

void sprCopyToScreen(Rect16 rect) {
    SprScreen* screen = sprScreen();
    if (!screen || !screen->windowPort) return;
    gfxCopyBits(screen->windowPort, screen->workPort, rect, rect, kCopyMode);
}

void sprShowBackdrop(u16 pictureId, u16) {
    SprScreen* screen = sprScreen();
    if (!screen || pictureId == 0) return;
    ResourceRef ref = 0;
    const memHandle picture = sprLoadPicture(&ref, pictureId, 0);
    if (picture == 0) return;
    const auto* bitmap = static_cast<const u8*>(memDerefHandle(picture));
    if (bitmap) gfxDrawBitmap(bitmap, u32(memGetHandleSize(picture)), 0, 0, kCopyMode);
    gfxCopyBits(screen->backgroundPort, screen->workPort, screen->screenRect, screen->screenRect, kCopyMode);
    sprReleaseResource(&ref);
}

void sprDraw(SprSprite* s) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return;
    GfxPort* previous = gfxSetPort(screen->workPort);
    sprDrawParts(s);
    gfxSetPort(previous);
}
