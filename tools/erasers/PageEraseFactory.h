#pragma once
// The page-erase effects by tool index: 123 the firecracker, 124 .. 136 the movie erasers,
// 137 the full cut; null for any other index. The eraser panel builds them for its icons and
// for the effect a child chose.
#include <memory>

#include "tools/erasers/RDestructo.h"

constexpr i16 kToolIdFirstPageErase = 123;
constexpr i16 kToolIdLastPageErase = 137;

std::unique_ptr<RDestructo> createPageErase(CListener* owner, i16 index);
