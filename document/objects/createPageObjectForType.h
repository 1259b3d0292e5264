#pragma once
// Makes an object of the class that holds the kind: a copy of `source` when one is given
// (which must be of that kind), else an empty one placed at `rect` when one is given.
#include <memory>

#include "document/objects/RPageObject.h"

namespace Ostrel {

// Null for a kind no page holds, or a source of another kind.
std::unique_ptr<RPageObject> createPageObjectForType(u16 id, FourCC type, const PageRect* rect,
                                                     const RPageObject* source);

}  // namespace Ostrel
