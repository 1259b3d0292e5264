#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprShapeState.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

// Loads and locks a resource for one more holder, converting it when this call brought it
// in; null (the holder dropped) when it is missing or the conversion refuses it.
template <typename Convert>
u8* holdConverted(FourCC type, u16 id, ResourceRef* ref, u32* size, Convert convert) {
    bool fresh = false;
    if (sprLoadResource(type, id, ref, &fresh) == 0) return sprSetError(resGetLastError()), nullptr;
    SprHeld held = sprLockResource(*ref);
    if (!held.data) {
        sprDropResource(ref);
        return sprSetError(memGetLastError()), nullptr;
    }
    if (fresh) {
        EngineErr error = convert(std::span<u8>(held.data, held.size));
        if (error != kErrNone) {
            sprReleaseResource(ref);
            return sprSetError(error), nullptr;
        }
    }
    if (size) *size = held.size;
    sprSetError(kErrNone);
    return held.data;
}

u32 cacheEntriesInUse() {
    const SprShapeTables& t = sprShapeTables();
    u32 used = 0;
    for (u16 i = 0; i < t.rangeCount; ++i) used += t.ranges[i].count;
    return used;
}

bool loadIntoCache(u32 index, u16 shape) {
    SprScriptEntry& e = sprShapeTables().scripts[index];
    if (e.data) return true;
    e.data = holdConverted(kSprScriptType, shape, &e.ref, &e.size, shapeScriptConvert);
    return e.data != nullptr;
}

}  // namespace

u8* sprLoadScript(ResourceRef* ref, u16 shapeId, u16) {
    return holdConverted(kSprScriptType, shapeId, ref, nullptr, shapeScriptConvert);
}

u8* sprLoadOffsetTable(u16 tableId, ResourceRef* ref) {
    return holdConverted(kSprOffsetType, tableId, ref, nullptr, [](std::span<u8> table) {
        shapeOffsetTableConvert(table);
        return kErrNone;
    });
}

void sprReleaseScript(SprScriptEntry& entry) {
    sprReleaseResource(&entry.ref);
    entry = SprScriptEntry{};
}

void sprRegisterRange(u16 first, u16 slot, u16 count, u16 preload) {
    SprShapeTables& t = sprShapeTables();
    const u32 used = cacheEntriesInUse();
    if (t.rangeCount >= kSprShapeRanges || used > kSprScriptCacheSize) return;
    SprShapeRange& range = t.ranges[t.rangeCount++];
    range = SprShapeRange{first, 0, slot};
    if (count != kSprEveryScript) {
        range.count = count;
        const u16 load = preload >= 1 && preload <= count ? preload : count;
        for (u32 i = 0; i < load && used + i < kSprScriptCacheSize; ++i) loadIntoCache(used + i, u16(first + i));
        return;
    }
    // Every consecutive script that exists, while the cache has room.
    while (used + range.count < kSprScriptCacheSize && range.count < 0xFFFF &&
           loadIntoCache(used + range.count, u16(first + range.count)))
        ++range.count;
}

bool sprFindShape(u16 shape, i16* scriptIndex, i16* slot) {
    const SprShapeTables& t = sprShapeTables();
    u32 start = 0;
    for (u16 i = 0; i < t.rangeCount; ++i) {
        const SprShapeRange& r = t.ranges[i];
        const i32 offset = i32(i16(shape)) - i32(i16(r.first));
        if (offset >= 0 && offset < i32(r.count)) {
            if (start + u32(offset) >= kSprScriptCacheSize) return false;
            *scriptIndex = i16(start + u32(offset));
            *slot = i16(r.slot);
            return true;
        }
        start += r.count;
    }
    return false;
}

std::span<const u8> sprCachedScript(i16 scriptIndex, u16 shape) {
    if (scriptIndex < 0 || scriptIndex >= i16(kSprScriptCacheSize)) return {};
    if (!loadIntoCache(u32(scriptIndex), shape)) return {};
    const SprScriptEntry& e = sprShapeTables().scripts[scriptIndex];
    return {e.data, e.size};
}
