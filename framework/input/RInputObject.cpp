#include "framework/input/RInputObject.h"

#include "framework/input/RInputRegistryList.h"

namespace Ostrel {

RInputObject::~RInputObject() { inputRegistryRemove(this); }

void RInputObject::Register(u32 mask) {
    mask_ = mask;
    if (!inputRegistryContains(this)) inputRegistryInsertFront(this);
}

void RInputObject::Unregister() { inputRegistryRemove(this); }

bool RInputObject::IsRegistered() const { return inputRegistryContains(this); }

u32 RInputObject::HandleKey(u32) { return 0; }
u32 RInputObject::HandleKeyUp(u32) { return 0; }
u32 RInputObject::HandleInput(u32, Point16, u32) { return 0; }
u32 RInputObject::HandleMouseUp(u32, Point16, u32) { return 0; }
u32 RInputObject::HandleMouseMove(Point16, u32) { return 0; }
void RInputObject::HandleNotification(const RInputEvent&) {}
void RInputObject::HandleTick(u32) {}
void RInputObject::HandleActivation(u32) {}

}  // namespace Ostrel
