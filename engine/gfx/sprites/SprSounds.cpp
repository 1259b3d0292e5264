#include "engine/gfx/sprites/SprSounds.h"

#include "engine/gfx/sprites/SprScreen.h"

namespace {
SprSoundHooks hooks{};
constexpr u16 kSprSoundTagBit = 0x8000;
}  // namespace

void sprSetSoundHooks(const SprSoundHooks& h) { hooks = h; }

u16 sprSoundTag(const SprSprite* sprite, u16 slot) {
    return slot == 1 ? sprite->id : u16(sprite->id | kSprSoundTagBit);
}

void sprBookSound(SprSprite* sprite, u16 soundId, u16 slot) {
    const bool waits = !(sprite->flags & kSprNoSoundWait) && (slot == 1 || slot == 2);
    u16* done = waits ? &sprite->soundDone[slot - 1] : nullptr;
    if (done) *done = 0;
    SprSoundRequest request;
    request.soundId = soundId;
    request.tag = sprSoundTag(sprite, slot);
    request.done = done;
    const bool booked = sprRequestSound(request);
    // A sound that no channel took will never report: it counts as played.
    if (!booked && done) *done = kSprSoundDone;
}

bool sprRequestSound(const SprSoundRequest& request) { return hooks.play && hooks.play(request); }

void sprStopSpriteSounds(SprSprite* sprite) {
    if (!hooks.stop || !sprite) return;
    hooks.stop(sprSoundTag(sprite, 1));
    hooks.stop(sprSoundTag(sprite, 2));
}

void sprServiceSounds() {
    if (hooks.service) hooks.service();
}

void sprFreeSoundChannels() {
    if (hooks.freeChannels) hooks.freeChannels();
}
