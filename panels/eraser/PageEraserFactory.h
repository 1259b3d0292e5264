#pragma once
// The page-erase effects of the eraser panel's effects page, by index (123 the firecracker,
// up to 137); null for an index this program has no effect for.
#include <memory>

#include "tools/erasers/RDestructo.h"

namespace Ostrel {

constexpr i16 kFirstPageEraser = 123;
constexpr i16 kEndPageEraser = 138;

std::unique_ptr<RDestructo> CreatePageEraser(i16 index, CListener* owner);

}  // namespace Ostrel
