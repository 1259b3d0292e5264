#pragma once
// A picture a scroller cell shows: the bytes of an engine bitmap (or of an alpha mask for the
// tinted strips). Strips own their pictures: handing a new list over releases the old one.
// Empty: the cell shows nothing.
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

using ScrollerPicture = std::vector<u8>;

}  // namespace Ostrel
