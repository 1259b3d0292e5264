#pragma once
// SDL takes a cursor as (data, mask) bits where the program gives (AND, XOR) masks:
// mask 0 lets the screen show through (data 1 inverts it), mask 1 paints black (data 1) or
// white (data 0). Both use one bit per pixel, most significant bit leftmost.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct SdlCursorMasks {
    std::vector<uint8_t> data;
    std::vector<uint8_t> mask;
};

SdlCursorMasks sdlCursorMasks(const std::vector<uint8_t>& andMask, const std::vector<uint8_t>& xorMask);

}  // namespace plat
