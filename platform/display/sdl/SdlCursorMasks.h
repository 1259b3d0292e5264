#pragma once
// SDL takes a cursor as (data, mask) bits where the cursor service keeps (AND, XOR) planes:
// mask 0 lets the screen show through (data 1 inverts it), mask 1 paints black (data 1) or
// white (data 0). Both use one bit per pixel, most significant bit leftmost.
#include <array>
#include <cstdint>

#include "platform/cursor/Cursors.h"

namespace plat {

struct SdlCursorMasks {
    std::array<uint8_t, cursor::kCursorPlaneBytes> data;
    std::array<uint8_t, cursor::kCursorPlaneBytes> mask;
};

SdlCursorMasks sdlCursorMasks(const cursor::CursorImage& image);

}  // namespace plat
