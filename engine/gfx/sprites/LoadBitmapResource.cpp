#include "engine/gfx/sprites/LoadBitmapResource.h"

#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprPicture.h"

const u8* LoadBitmapResource(u16 id) {
    ResourceRef ref = 0;
    bool fresh = false;
    if (sprLoadResource(kSprPictureType, id, &ref, &fresh) == 0) return nullptr;
    SprHeld held = sprLockResource(ref);
    if (!held.data) sprDropResource(&ref);
    return held.data;
}
