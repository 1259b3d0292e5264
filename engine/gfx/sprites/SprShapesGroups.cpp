#include <cstdio>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprShapeState.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

void showMessage(const char* text) {
    const SprShapeHooks& hooks = sprShapeTables().hooks;
    if (hooks.showMessage) hooks.showMessage(text, kSprMessageMs);
}

u32 heldSize(ResourceRef ref) {
    const memHandle handle = resGetResourceHandle(ref);
    return handle == 0 || handle == kResRefused ? 0 : u32(memGetHandleSize(handle));
}

void releaseSlot(SprGroupSlot& slot) {
    sprReleaseResource(&slot.groupRef);
    sprReleaseResource(&slot.xRef);
    sprReleaseResource(&slot.yRef);
    slot = SprGroupSlot{};
}

// Takes range `index` out: its scripts are released, the later cache entries move down over
// its own and the freed entries at the end are cleared; the later ranges move down.
void removeRange(u16 index) {
    SprShapeTables& t = sprShapeTables();
    u32 start = 0;
    for (u16 i = 0; i < index; ++i) start += t.ranges[i].count;
    const u32 count = t.ranges[index].count;
    for (u32 j = start; j < start + count && j < kSprScriptCacheSize; ++j) sprReleaseScript(t.scripts[j]);
    for (u32 j = start; j < kSprScriptCacheSize && count > 0; ++j)
        t.scripts[j] = j + count < kSprScriptCacheSize ? t.scripts[j + count] : SprScriptEntry{};
    for (u16 i = index; i + 1 < t.rangeCount; ++i) t.ranges[i] = t.ranges[i + 1];
    t.ranges[--t.rangeCount] = SprShapeRange{};
}

void releaseEverything() {
    SprShapeTables& t = sprShapeTables();
    if (t.hooks.disposeSprites) t.hooks.disposeSprites(kSprNoSlot);
    for (SprGroupSlot& s : t.slots) releaseSlot(s);
    for (SprShapeRange& r : t.ranges) r = SprShapeRange{};
    t.rangeCount = 0;
    for (SprScriptEntry& e : t.scripts) sprReleaseScript(e);
}

}  // namespace

u16 sprLoadGroup(u16 groupId, u16 shapeCount, u16 preloadCount, u16, u16 firstShape) {
    SprShapeTables& t = sprShapeTables();
    const u16 first = firstShape == kSprFirstIsGroupId ? groupId : firstShape;
    for (u16 index = 0; index < kSprGroupSlots; ++index) {
        SprGroupSlot& slot = t.slots[index];
        if (slot.groupRef != 0 && slot.groupId != groupId) continue;
        if (slot.groupRef == 0) {
            slot = SprGroupSlot{};
            slot.data = sprLoadGroupData(groupId, &slot.groupRef);
            if (!slot.data) {
                // The load has already been retried with every remedy; another slot would
                // only repeat the failure.
                const EngineErr error = sprGetLastError();
                releaseSlot(slot);
                sprSetError(error);
                char text[64];
                std::snprintf(text, sizeof text, "error loading compound shape %d", groupId);
                showMessage(text);
                return kSprNoSlot;
            }
            slot.size = heldSize(slot.groupRef);
            slot.groupId = groupId;
            if (shapeCount != 0) {
                slot.xOffsets = sprLoadOffsetTable(groupId, &slot.xRef);
                slot.xSize = heldSize(slot.xRef);
                slot.yOffsets = sprLoadOffsetTable(u16(groupId + 1), &slot.yRef);
                slot.ySize = heldSize(slot.yRef);
            }
        }
        sprRegisterRange(first, index, shapeCount, preloadCount);
        return index;
    }
    showMessage("Group # OOR");
    return kSprNoSlot;
}

u16 sprFindGroup(u16 groupId) {
    if (groupId == 0) return kSprNoSlot;
    const SprShapeTables& t = sprShapeTables();
    for (u16 i = 0; i < kSprGroupSlots; ++i)
        if (t.slots[i].groupRef != 0 && t.slots[i].groupId == groupId) return i;
    return kSprNoSlot;
}

void sprReleaseGroup(u16 groupId, u16 purge) {
    if (groupId == 0) return releaseEverything();
    const u16 slot = sprFindGroup(groupId);
    if (slot == kSprNoSlot) return;
    SprShapeTables& t = sprShapeTables();
    if (t.hooks.disposeSprites) t.hooks.disposeSprites(slot);
    releaseSlot(t.slots[slot]);
    for (u16 i = slot; i + 1 < kSprGroupSlots; ++i) t.slots[i] = t.slots[i + 1];
    t.slots[kSprGroupSlots - 1] = SprGroupSlot{};
    const bool wasLast = t.slots[slot].groupRef == 0;
    for (u16 i = t.rangeCount; i-- > 0;)
        if (t.ranges[i].slot == slot) removeRange(i);
    for (u16 i = 0; i < t.rangeCount; ++i)
        if (t.ranges[i].slot > slot) --t.ranges[i].slot;
    if (t.hooks.rangesChanged) t.hooks.rangesChanged();
    if (purge && !wasLast) sprRelockShapes();
}

u16 sprGroupFrameCount(i16 slot) {
    const SprGroupSlot* s = sprSlotWithGroup(slot);
    return s ? shapeGroupFrameCount({s->data, s->size}) : 0;
}

std::span<const u8> sprGroupFrame(i16 slot, i16 frame) {
    const SprGroupSlot* s = sprSlotWithGroup(slot);
    if (!s || frame <= 0) return {};
    return shapeGroupFrame({s->data, s->size}, u16(frame));
}

bool sprGroupHasOffsets(i16 slot) {
    const SprGroupSlot* s = sprSlotWithGroup(slot);
    return s && (s->xOffsets || s->yOffsets);
}

Point16 sprFrameOffset(i16 slot, i16 frame) {
    const SprGroupSlot* s = sprSlotWithGroup(slot);
    if (!s || frame < 0) return {0, 0};
    return {i16(shapeOffsetTableEntry({s->xOffsets, s->xOffsets ? s->xSize : 0}, u16(frame))),
            i16(shapeOffsetTableEntry({s->yOffsets, s->yOffsets ? s->ySize : 0}, u16(frame)))};
}

Rect16 sprGetFrameRect(i16 slot, i16 frame, i16 x, i16 y) {
    std::span<const u8> bitmap = sprGroupFrame(slot, frame);
    if (bitmap.size() < 4) return Rect16{0, 0, 0, 0};
    const Point16 offset = sprFrameOffset(slot, frame);
    x = i16(x - offset.h);
    y = i16(y - offset.v);
    return Rect16{x, y, i16(x + readBE16(bitmap.data())), i16(y + readBE16(bitmap.data() + 2))};
}

void sprDrawFrame(i16 slot, i16 frame, i16 x, i16 y, Rect16* drawn) {
    *drawn = sprGetFrameRect(slot, frame, x, y);
    if (rectIsEmpty(*drawn)) return;
    std::span<const u8> bitmap = sprGroupFrame(slot, frame);
    gfxDrawBitmap(bitmap.data(), u32(bitmap.size()), drawn->left, drawn->top, kGfxModeTransparent);
}
