#pragma once
// Packed 16-bit pictures written in their stored form: the big-endian header (width, height,
// row bytes, format) and rows of runs whose colours are big-endian RGB555 words. Transparent
// places become gaps, runs of one colour become repeats; gfxPrepareBitmapWords puts the
// colours into machine order for drawing. The inverse of gfxWalkPacked16 (PackedPixels.h).
#include <functional>
#include <vector>

#include "engine/base/EngineTypes.h"

// What colourAt gives for a transparent place.
constexpr i32 kGfxPackedClear = -1;

// The picture of `width` x `height` places, (x, y) taking the RGB555 colour colourAt gives, or
// none for kGfxPackedClear.
std::vector<u8> gfxWritePacked16(u16 width, u16 height, const std::function<i32(u32 x, u32 y)>& colourAt);
