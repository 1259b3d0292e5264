#pragma once
// The shape tables behind SprShapes.h: group slots, shape ranges and the script cache, with
// the module's last error and hooks. Internal to the sprite layer.
#include "engine/gfx/sprites/SprShapes.h"

struct SprGroupSlot {
    ResourceRef groupRef;
    u8* data;
    u32 size;
    u16 groupId;
    ResourceRef xRef;
    ResourceRef yRef;
    u8* xOffsets;
    u32 xSize;
    u8* yOffsets;
    u32 ySize;
};

struct SprShapeRange {
    u16 first;
    u16 count;
    u16 slot;
};

struct SprScriptEntry {
    ResourceRef ref;
    u8* data;
    u32 size;
};

struct SprShapeTables {
    SprGroupSlot slots[kSprGroupSlots];
    SprShapeRange ranges[kSprShapeRanges];
    u16 rangeCount;
    SprScriptEntry scripts[kSprScriptCacheSize];
    SprShapeHooks hooks;
    EngineErr lastError;
};

SprShapeTables& sprShapeTables();
EngineErr sprSetError(EngineErr error);
// The slot when it lies in 0..13 and holds a group; null otherwise.
SprGroupSlot* sprSlotWithGroup(i16 slot);
// Registers a range over the cache entries after those in use (see sprLoadGroup).
void sprRegisterRange(u16 first, u16 slot, u16 count, u16 preload);
// Releases a cache entry's script.
void sprReleaseScript(SprScriptEntry& entry);
