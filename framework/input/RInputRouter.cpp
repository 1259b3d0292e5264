#include "framework/input/RInputRouter.h"

#include <cstddef>
#include <vector>

#include "framework/input/RInputObject.h"
#include "framework/input/RInputRegistryList.h"

namespace Ostrel {
namespace {

// The objects registered when an event arrives, in order. Walking this copy, and skipping
// those that left the registry meanwhile, lets any call register or unregister objects
// without another object missing the event or hearing it twice.
std::vector<RInputObject*> registrySnapshot() {
    std::vector<RInputObject*> objects;
    const int32_t count = inputObjectCount();
    objects.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) objects.push_back(inputObjectAt(i));
    return objects;
}

bool wants(const RInputObject* object, u32 flag) {
    return inputRegistryContains(object) && (object->GetInputMask() & flag) != 0;
}

u32 packPoint(Point16 point) { return u32(u16(point.h)) | (u32(u16(point.v)) << 16); }

// Offers the event to each interested object until one takes it; with `notify`, the
// interested objects after it hear of it. `first` (when registered and interested) is
// offered before the others.
template <typename Offer>
bool offerInOrder(u32 flag, RInputObject* first, Offer offer, const RInputEvent* notify) {
    RInputObject* taker = nullptr;
    if (first && wants(first, flag) && offer(first)) taker = first;
    for (RInputObject* object : registrySnapshot()) {
        if (object == first || !wants(object, flag)) continue;
        if (!taker) {
            if (offer(object)) taker = object;
        } else if (notify) {
            object->HandleNotification(*notify);
        } else {
            break;
        }
    }
    return taker != nullptr;
}

}  // namespace

RInputObject* RInputRouter::DragOwner() const {
    return dragOwner_ && inputRegistryContains(dragOwner_) ? dragOwner_ : nullptr;
}

bool RInputRouter::MouseDown(Point16 point, u32 buttons) {
    const RInputEvent event{kInputEventMouseDown, -1, buttons, packPoint(point)};
    RInputObject* taker = nullptr;
    offerInOrder(
        kInputMouseButtons, nullptr,
        [&](RInputObject* object) {
            if (!object->HandleInput(kInputLeftButton, point, buttons)) return false;
            taker = object;
            return true;
        },
        &event);
    dragOwner_ = taker;
    return taker != nullptr;
}

bool RInputRouter::MouseUp(Point16 point, u32 buttons) {
    const RInputEvent event{kInputEventMouseUp, -1, buttons, packPoint(point)};
    RInputObject* owner = DragOwner();
    dragOwner_ = nullptr;
    return offerInOrder(
        kInputMouseButtons, owner,
        [&](RInputObject* object) { return object->HandleMouseUp(kInputLeftButton, point, buttons) != 0; },
        &event);
}

bool RInputRouter::MouseMove(Point16 point, u32 buttons) {
    return offerInOrder(
        kInputMouseMove, DragOwner(),
        [&](RInputObject* object) { return object->HandleMouseMove(point, buttons) != 0; }, nullptr);
}

bool RInputRouter::KeyDown(u32 key) {
    const RInputEvent event{kInputEventKey, -1, 0, key};
    return offerInOrder(
        kInputKeys, nullptr, [&](RInputObject* object) { return object->HandleKey(key) != 0; }, &event);
}

bool RInputRouter::KeyUp(u32 key) {
    const RInputEvent event{kInputEventKeyUp, -1, 0, key};
    return offerInOrder(
        kInputKeys, nullptr, [&](RInputObject* object) { return object->HandleKeyUp(key) != 0; }, &event);
}

void RInputRouter::Tick(u32 now) {
    for (RInputObject* object : registrySnapshot()) {
        if (wants(object, kInputTick)) object->HandleTick(now);
    }
}

void RInputRouter::Activation(u32 state) {
    for (RInputObject* object : registrySnapshot()) {
        if (wants(object, kInputActivation)) object->HandleActivation(state);
    }
}

}  // namespace Ostrel
