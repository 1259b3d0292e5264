#pragma once
// The seam through which sprites book their script sounds. The sound channels install their
// hooks; until they do, sounds are not played and a booking counts as done at once, so a
// sprite that waits for its sounds at the end of its script stops. User-interface thread only.
#include "engine/gfx/sprites/SprSprite.h"

struct SprSoundHooks {
    // Books a sound with a tag; `done` (may be null) becomes non-zero when it has played.
    // False when no channel took it.
    bool (*play)(u16 soundId, u16 tag, u16* done);
    // Stops the sounds booked with the tag.
    void (*stop)(u16 tag);
    // Frees the channels whose sounds have finished; once per screen update.
    void (*service)();
    void (*freeChannels)();
};
void sprSetSoundHooks(const SprSoundHooks& hooks);

// The tag of a sprite's sounds: its id, with bit 15 unless the sound is its second slot's.
u16 sprSoundTag(const SprSprite* sprite, u16 slot);
// Books a script sound for slot 1 or 2; without the no-wait flag the slot's done word is
// cleared until the sound has played.
void sprBookSound(SprSprite* sprite, u16 soundId, u16 slot);
void sprStopSpriteSounds(SprSprite* sprite);
void sprServiceSounds();
void sprFreeSoundChannels();
