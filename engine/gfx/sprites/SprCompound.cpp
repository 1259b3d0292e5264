#include "engine/gfx/sprites/SprCompound.h"

#include "engine/gfx/sprites/SprLayerState.h"

namespace {

// A layout shows one frame and stops.
constexpr u32 kSprLayoutFlags = kSprStopAtEnd | kSprStopWhenLoaded;

void fillRecord(SprSprite* s) {
    auto* record = reinterpret_cast<SprCompound*>(s->data1);
    record->id = s->id;
    record->bounds = s->bounds;
    record->count = 0;
    for (const SprPart* p = s->parts; p->frame != 0 && record->count < kSprMaxParts; ++p)
        record->parts[record->count++] = *p;
}

u16 makeCompound(u16 shape, SprCompound* record, bool linked) {
    if (!record) return 0;
    *record = SprCompound{};
    const u16 id = sprNewCustom(shape, nullptr, 1, linked ? fillRecord : nullptr, reinterpret_cast<uintptr_t>(record), 0);
    SprSprite* s = sprFind(id);
    if (!s) return 0;
    s->data1 = reinterpret_cast<uintptr_t>(record);
    fillRecord(s);
    return record->count;
}

}  // namespace

u16 sprNewCustom(u16 shape, const Point16* position, u16 drawNow, SprUserProc user, uintptr_t data1, uintptr_t data2) {
    SprScreen* screen = sprScreen();
    SprSprite* s = screen ? sprFind(sprNew(kSprLayoutFlags, shape, position)) : nullptr;
    if (!s) return kSprNoId;
    s->user = user;
    s->data1 = data1;
    s->data2 = data2;
    // The user procedure may remove the sprite; the step then frees it, so its id is kept here.
    const u16 id = s->id;
    if (drawNow) sprStep(s, screen->updating ? screen->dirty : screen->pending);
    return sprFind(id) ? id : kSprNoId;
}

u16 sprNewCompound(u16 shape, SprCompound* record) { return makeCompound(shape, record, false); }

u16 sprNewCompoundLinked(u16 shape, SprCompound* record) { return makeCompound(shape, record, true); }
