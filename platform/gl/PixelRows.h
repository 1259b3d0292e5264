#pragma once
// Conversion of rows of 8-bit RGBA (red, green, blue, alpha in memory) into the pictures' layouts
// and back: 16-bit RGB555 (each channel's high five bits, bit 15 clear, low byte first at any
// address, as pictures store it), 24-bit (blue, green, red) and 32-bit (blue, green, red, 0).
// Widening RGB555 repeats each channel's high bits in its low ones, so a 16-bit picture read and
// written back is unchanged. Alpha is not kept.
#include <cstddef>
#include <cstdint>

namespace plat::gl {

void rgbaToRgb555(const uint8_t* rgba, uint8_t* out, size_t pixels);
void rgbaToBgr24(const uint8_t* rgba, uint8_t* out, size_t pixels);
void rgbaToBgrx32(const uint8_t* rgba, uint8_t* out, size_t pixels);
void rgb555ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels);
void bgr24ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels);
void bgrx32ToRgba(const uint8_t* in, uint8_t* rgba, size_t pixels);

}  // namespace plat::gl
