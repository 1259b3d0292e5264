#pragma once
// The list of registered input objects, in the order events are offered: the most recently
// registered first. User-interface thread only.
#include <cstdint>

namespace Ostrel {

class RInputObject;

int32_t inputObjectCount();
// Null outside 0 .. count - 1.
RInputObject* inputObjectAt(int32_t index);

}  // namespace Ostrel
