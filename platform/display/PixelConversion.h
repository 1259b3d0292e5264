#pragma once
// Conversion of a window surface's pixels to the 32-bit form screens take (0x00RRGGBB, one
// word per pixel), the step between the program's drawing and the upload to the screen.
// RGB555 widens each 5-bit channel by repeating its top bits, so white stays white.
#include <cstdint>

#include "platform/gdi/Surface.h"

namespace plat {

// Converts `area` (inside the surface's bounds) to `out`, whose rows are `outPitch` words
// apart; the area's top-left pixel lands at out[0].
void convertToXrgb(const gdi::Surface& surface, const gdi::Rect& area, uint32_t* out, int32_t outPitch);

constexpr uint32_t xrgbFrom555(uint16_t word) {
    uint32_t r = (word >> 10) & 0x1F, g = (word >> 5) & 0x1F, b = word & 0x1F;
    return (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
}

}  // namespace plat
