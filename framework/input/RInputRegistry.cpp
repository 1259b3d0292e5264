#include "framework/input/RInputRegistry.h"

#include "engine/base/TList.h"
#include "framework/input/RInputRegistryList.h"

namespace Ostrel {
namespace {

TList& registry() {
    // Never destroyed: static input objects unregister while the program ends.
    static auto* list = new TList();
    return *list;
}

TListItem itemOf(const RInputObject* object) { return TListItem(reinterpret_cast<uintptr_t>(object)); }

}  // namespace

int32_t inputObjectCount() { return registry().Count(); }

RInputObject* inputObjectAt(int32_t index) {
    if (index < 0 || index >= registry().Count()) return nullptr;
    return reinterpret_cast<RInputObject*>(uintptr_t(registry().At(index)));
}

bool inputRegistryContains(const RInputObject* object) { return registry().IndexOf(itemOf(object)) >= 0; }

void inputRegistryInsertFront(RInputObject* object) { registry().InsertAt(itemOf(object), 0); }

void inputRegistryInsertBack(RInputObject* object) { registry().Append(itemOf(object)); }

void inputRegistryRemove(RInputObject* object) { registry().Remove(itemOf(object)); }

}  // namespace Ostrel
