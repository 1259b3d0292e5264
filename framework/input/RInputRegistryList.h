#pragma once
// The registry's list itself, for the input objects and the router of this module.
#include "framework/input/RInputRegistry.h"

namespace Ostrel {

bool inputRegistryContains(const RInputObject* object);
void inputRegistryInsertFront(RInputObject* object);
void inputRegistryInsertBack(RInputObject* object);
void inputRegistryRemove(RInputObject* object);

}  // namespace Ostrel
