#pragma once
// The seam through which sprites book their script sounds. The sound channels install their
// hooks; until they do, sounds are not played and a booking counts as done at once, so a
// sprite that waits for its sounds at the end of its script stops. User-interface thread only.
#include "engine/gfx/sprites/SprSprite.h"

// What an owner asks to play and where it wants to hear back; every pointer may be null.
struct SprSoundRequest {
    u16 soundId = 0;
    u16 tag = 0;
    u16 midi = 0;             // non-zero: a MIDI sound rather than a wave
    u16* done = nullptr;      // becomes non-zero when the sound has played or was dropped
    u32* cueFlag = nullptr;   // becomes 1 when the sound passes a cue
    char* cueText = nullptr;  // receives each cue's text, cut to fit with its NUL
    u32 cueTextSize = 0;      // bytes the owner's cue text buffer holds
};

struct SprSoundHooks {
    // Books a sound; false when no channel took it.
    bool (*play)(const SprSoundRequest& request);
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
// Books an owner's sound through the installed channels; false without them or when none took it.
bool sprRequestSound(const SprSoundRequest& request);
void sprStopSpriteSounds(SprSprite* sprite);
void sprServiceSounds();
void sprFreeSoundChannels();
