#include "engine/gfx/sprites/SprShapeState.h"

#include "engine/gfx/sprites/SprHeldResource.h"

namespace {

SprShapeTables tables{};

}  // namespace

SprShapeTables& sprShapeTables() { return tables; }

EngineErr sprSetError(EngineErr error) { return tables.lastError = error; }

EngineErr sprGetLastError() { return tables.lastError; }

void sprSetShapeHooks(const SprShapeHooks& hooks) { tables.hooks = hooks; }

SprGroupSlot* sprSlotWithGroup(i16 slot) {
    if (slot < 0 || slot >= i16(kSprGroupSlots)) return nullptr;
    SprGroupSlot& s = tables.slots[slot];
    return s.groupRef != 0 && s.data != nullptr ? &s : nullptr;
}

u16 sprGroupIdOf(i16 slot) {
    const SprGroupSlot* s = sprSlotWithGroup(slot);
    return s ? s->groupId : 0;
}

void sprRelockShapes() {
    for (SprGroupSlot& s : tables.slots) {
        if (s.groupRef) s.data = sprRelockResource(s.groupRef);
        if (s.xRef) s.xOffsets = sprRelockResource(s.xRef);
        if (s.yRef) s.yOffsets = sprRelockResource(s.yRef);
    }
    for (SprScriptEntry& e : tables.scripts)
        if (e.ref) e.data = sprRelockResource(e.ref);
}
