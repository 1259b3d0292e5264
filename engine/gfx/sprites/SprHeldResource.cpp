#include "engine/gfx/sprites/SprHeldResource.h"

memHandle sprLoadResource(FourCC type, u16 id, ResourceRef* ref, bool* fresh) {
    const bool found = *ref == 0;
    if (found) *ref = resFindResource(type, id, 0);
    if (*ref == 0) return 0;
    const memHandle before = resGetResourceHandle(*ref);
    *fresh = before == 0 || before == kResRefused || memDerefHandle(before) == nullptr;
    // The holder's lock on the resource keeps it loaded; the memory lock comes with the pointer.
    const memHandle handle = resLoadResource(*ref, 1);
    if (handle == 0) {
        if (found) *ref = 0;
        return 0;
    }
    return handle;
}

SprHeld sprLockResource(ResourceRef ref) {
    const memHandle handle = resGetResourceHandle(ref);
    if (handle == 0 || handle == kResRefused) return {nullptr, 0, false};
    u8* data = static_cast<u8*>(memLockHandle(handle));
    return {data, data ? u32(memGetHandleSize(handle)) : 0, false};
}

void sprReleaseResource(ResourceRef* ref) {
    if (*ref == 0) return;
    const memHandle handle = resGetResourceHandle(*ref);
    if (handle != 0 && handle != kResRefused && memGetLockCount(handle) > 0) memUnlockHandle(handle);
    sprDropResource(ref);
}

void sprDropResource(ResourceRef* ref) {
    if (*ref == 0) return;
    resSetResourceFlag(*ref, 1);
    resReleaseResource(*ref, 1);
    *ref = 0;
}

u8* sprRelockResource(ResourceRef ref) {
    const memHandle handle = resGetResourceHandle(ref);
    if (handle == 0 || handle == kResRefused) return nullptr;
    memUnlockHandle(handle);
    return static_cast<u8*>(memLockHandle(handle));
}
