#pragma once
// Conversion of pixel rows between a world's pixel map and packed colour rows: RGBA (red,
// green, blue, alpha bytes) or RGB (three bytes). Rows are counted from the top of the map; the
// caller keeps x and the count inside the map's width.
#include <cstdint>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

void readRowRgba(const MrPixMap& map, int32_t y, int32_t x0, int32_t count, uint8_t* rgba);
void writeRowRgba(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgba);
void writeRowRgb(MrPixMap& map, int32_t y, int32_t x0, int32_t count, const uint8_t* rgb);

// Pixels of red, green, blue and a fourth byte (as they lie in memory) into RGB555 words: the
// decoder's hot loop, over whole words so that the compiler can widen it.
void packRgbxTo555(const uint32_t* rgbx, int32_t count, uint16_t* out);

// RGB555 words (two bytes each, in any alignment) into pixels of red, green, blue and a zero
// byte as they lie in memory, each channel widened as readRowRgba widens it: the encoder's loop.
void unpack555ToRgbx(const uint8_t* words, int32_t count, uint32_t* rgbx);

inline uint16_t rgb555(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t(((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3));
}

}  // namespace plat::media
