#pragma once
// Shape resources held by the sprite layer: found in the open archives (newest first) when
// the reference is 0, loaded, and locked once per holder, so a resource that two holders
// share stays loaded until the last of them lets it go. User-interface thread only.
#include "engine/resources/ResourceManager.h"

struct SprHeld {
    u8* data;
    u32 size;
    // Whether this call brought the data into memory, so that it is still in stored order.
    bool fresh;
};

// Finds (when *ref is 0) and loads the resource without locking it; 0 on failure, with *ref
// released and cleared when it was found here. `fresh` as above.
memHandle sprLoadResource(FourCC type, u16 id, ResourceRef* ref, bool* fresh);
// Locks a loaded resource for one more holder; data null when it cannot be locked.
SprHeld sprLockResource(ResourceRef ref);
// Drops one holder: unlocks the data, marks the resource purgeable and releases it; the
// reference becomes 0. Nothing happens for 0.
void sprReleaseResource(ResourceRef* ref);
// The same for a holder that loaded the resource but never locked its data.
void sprDropResource(ResourceRef* ref);
// The data of a held resource again after its block may have moved (unlocked and relocked).
u8* sprRelockResource(ResourceRef ref);
