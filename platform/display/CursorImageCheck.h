#pragma once
// The checks every driver makes on a cursor picture before it takes it.
#include "platform/display/DisplayTypes.h"

namespace plat {

// Width a positive multiple of 8, height positive, both masks exactly width / 8 × height
// bytes, hotspot inside the picture.
bool validCursorImage(const CursorImage& image);

}  // namespace plat
