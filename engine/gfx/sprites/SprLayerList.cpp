#include <cstdlib>
#include <unordered_set>
#include <vector>

#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "engine/regions/Regions.h"

namespace {

// Every record sprNew made and nobody freed yet, in the list or held out of it by its owner:
// an owner relinking a held sprite would otherwise meet a newer sprite given the same id.
std::unordered_set<const SprSprite*>& liveRecords() {
    static std::unordered_set<const SprSprite*> records;
    return records;
}

SprSprite* newRecord(u32 flags, u16 shape, const Point16* position) {
    auto* s = new SprSprite{};
    s->activate = sprPickUp;
    s->deactivate = sprDeactivate;
    s->ready = sprReadyByTime;
    s->step = sprStep;
    s->drag = sprDragProc;
    s->draw = sprDrawParts;
    s->scriptIndex = -1;
    s->range = -1;
    s->scriptPosition = 26;
    s->interval = kSprDefaultInterval;
    s->shapePending = 1;
    s->hasShape = 1;
    s->scriptTiming = 1;
    s->changed = 1;
    s->dragFlags = kSprDragFollow;
    s->limit = kSprDefaultLimit;
    s->soundDone[0] = s->soundDone[1] = kSprSoundDone;
    s->flags = flags;
    s->shape = shape;
    if (position) {
        s->position = *position;
        s->placement = 1;
    } else {
        s->placement = kSprPlaceByShape;
    }
    return s;
}

// The sprite a new one goes just behind; null when the list offers no place. A picked-up
// sprite its owner took out of the list leaves the usual places.
SprSprite* placeFor(const SprScreen& screen, u32 flags) {
    if (screen.activeCount != 0)
        for (SprSprite* s = screen.back; s && s != screen.front; s = s->inFront)
            if (s->dragFlags & kSprDragActive) return s;
    for (SprSprite* s = screen.back; s; s = s->inFront) {
        if (s->id == kSprFrontId && s == screen.front) return s;
        if ((flags & kSprBackLayer) && s != screen.back && !(s->flags & kSprBackLayer)) return s;
    }
    return nullptr;
}

i32 magnitude(u16 id) { return std::abs(i32(i16(id))); }

// One more than the largest id in use, in the list or held out of it; ids never reach the
// failure value: past the last id the lowest free one is taken again.
u16 nextId(const SprScreen& screen) {
    i32 largest = 0;
    for (const SprSprite* s = screen.back; s; s = s->inFront) largest = std::max(largest, magnitude(s->id));
    for (const SprSprite* s : liveRecords()) largest = std::max(largest, magnitude(s->id));
    if (largest < kSprLastId) return u16(largest + 1);
    std::vector<bool> used(0x10000);
    for (const SprSprite* s = screen.back; s; s = s->inFront) used[s->id] = true;
    for (const SprSprite* s : liveRecords()) used[s->id] = true;
    for (u16 id = kSprBackId + 1; id <= kSprLastId; ++id)
        if (!used[id]) return id;
    return kSprNoId;
}

}  // namespace

bool sprIsLinked(const SprSprite* s) { return s->behind || s->inFront; }

void sprLinkBehind(SprSprite* s, SprSprite* other) {
    s->inFront = other;
    s->behind = other->behind;
    if (other->behind) other->behind->inFront = s;
    other->behind = s;
}

void sprLinkInFront(SprSprite* s, SprSprite* other) {
    s->behind = other;
    s->inFront = other->inFront;
    if (other->inFront) other->inFront->behind = s;
    other->inFront = s;
}

void sprTakeOut(SprSprite* s) {
    if (s->behind) s->behind->inFront = s->inFront;
    if (s->inFront) s->inFront->behind = s->behind;
    s->behind = s->inFront = nullptr;
}

SprSprite* sprFindLinked(u16 id) {
    SprScreen* screen = sprScreen();
    if (!screen) return nullptr;
    for (SprSprite* s = screen->front; s; s = s->behind)
        if (s->id == id) return s;
    return nullptr;
}

void sprFreeRecord(SprSprite* s) {
    liveRecords().erase(s);
    if (s->region) rgnDispose(s->region);
    delete s;
}

u16 sprNew(u32 flags, u16 shape, const Point16* position) {
    SprScreen* screen = sprScreen();
    if (!screen) return kSprNoId;
    SprSprite* place = placeFor(*screen, flags);
    if (!place) return kSprNoId;
    const u16 id = nextId(*screen);
    if (id == kSprNoId) return kSprNoId;
    SprSprite* s = newRecord(flags, shape, position);
    s->id = id;
    liveRecords().insert(s);
    sprLinkBehind(s, place);
    return id;
}

u16 sprNewWithProcs(u32 flags, u16 shape, const Point16* position, SprReadyProc ready, SprStepProc step,
                    SprDrawProc draw) {
    const u16 id = sprNew(flags, shape, position);
    sprSetProcs(sprFind(id), ready, step, draw);
    return id;
}

u16 sprNewWithCallback(u32 flags, u16 shape, const Point16* position, SprOwnerCallback callback, uintptr_t data1,
                       uintptr_t data2) {
    const u16 id = sprNew(flags, shape, position);
    if (SprSprite* s = sprFind(id)) {
        s->callback = callback;
        s->data1 = data1;
        s->data2 = data2;
    }
    return id;
}

SprSprite* sprFind(u16 id) { return id == kSprNoId ? nullptr : sprFindLinked(id); }

void sprSetProcs(SprSprite* s, SprReadyProc ready, SprStepProc step, SprDrawProc draw) {
    if (!s) return;
    if (ready) s->ready = ready;
    if (step) s->step = step;
    if (draw) s->draw = draw;
}

void sprSetCallbacks(SprSprite* s, SprOwnerCallback callback, SprUserProc user) {
    if (!s) return;
    if (callback) s->callback = callback;
    if (user) s->user = user;
}

void sprClearCallbacks(SprSprite* s, u16 clearCallback, u16 clearUser) {
    if (!s) return;
    if (clearCallback) s->callback = nullptr;
    if (clearUser) s->user = nullptr;
}

SprSprite* sprRemove(SprSprite* s, u16 free, u16 markDirty) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return nullptr;
    if (screen->updating && free) {
        s->deletePending = markDirty ? kSprDeleteMarked : kSprDeleteQuietly;
        return nullptr;
    }
    if (markDirty && !s->hidden) sprInvalArea(s);
    if (!free) {
        sprTakeOut(s);
        return s;
    }
    if (s->region) {
        rgnDispose(s->region);
        s->region = 0;
        s->flags &= ~kSprRegionMode;
    }
    if ((s->dragFlags & kSprDragActive) && s->deactivate) s->deactivate(s);
    s->bounds = Rect16{};
    sprUnlink(s);
    sprFreeRecord(s);
    return nullptr;
}

SprSprite* sprRemoveById(u16 id, u16 free, u16 markDirty) {
    if (id == 0) return nullptr;
    SprSprite* s = sprFind(id);
    if (!s) return nullptr;
    if (free) sprStopSpriteSounds(s);
    return sprRemove(s, free, markDirty);
}

void sprDisposePtr(SprSprite** sprite) {
    if (!sprite || !*sprite) return;
    sprRemove(*sprite, 1, !(*sprite)->hidden);
    *sprite = nullptr;
}

void sprDispose(u16* id) {
    SprScreen* screen = sprScreen();
    if (!screen) return;
    if (id) {
        SprSprite* s = sprFind(*id);
        sprDisposePtr(&s);
        *id = 0;
        return;
    }
    for (SprSprite* s = screen->back->inFront; s && s != screen->front;) {
        SprSprite* next = s->inFront;
        if (s->id != 0) {
            sprStopSpriteSounds(s);
            sprDisposePtr(&s);
        }
        s = next;
    }
}

void sprUnlink(SprSprite* s) {
    if (!s) return;
    sprStopSpriteSounds(s);
    if (!s->hidden) sprInvalArea(s);
    sprTakeOut(s);
    if (s->region) {
        rgnDispose(s->region);
        s->region = 0;
    }
    s->flags &= ~kSprRegionMode;
}

void sprSetLayer(SprSprite* s, u16 inFront, u16 otherId) {
    if (!s || otherId == s->id) return;
    SprSprite* other = sprFindLinked(otherId);
    if (!other) return;
    if (s->id != 0)
        if (SprSprite* same = sprFindLinked(s->id)) {
            if (!same->hidden) sprInvalArea(same);
            sprTakeOut(same);
        }
    if (sprIsLinked(s)) sprTakeOut(s);
    if ((inFront && otherId != kSprFrontId) || (!inFront && otherId == kSprBackId))
        sprLinkInFront(s, other);
    else
        sprLinkBehind(s, other);
}

void sprSetLayerById(u16 id, u16 inFront, u16 otherId) { sprSetLayer(sprFind(id), inFront, otherId); }

void sprBringToFront(SprSprite* s) {
    SprScreen* screen = sprScreen();
    if (!screen || !s) return;
    if (SprSprite* same = sprFindLinked(s->id)) sprTakeOut(same);
    if (sprIsLinked(s)) sprTakeOut(s);
    sprLinkBehind(s, screen->front);
}
