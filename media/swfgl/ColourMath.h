#pragma once
// The colour arithmetic of drawing: colour transforms applied and combined, gradient ramps and
// the radial gradient picture, and the power-of-two texture side of a bitmap.
#include <vector>

#include "media/swf/SwfTypes.h"

namespace swf::draw {

constexpr u32 kRampTexels = 256;
constexpr u32 kRadialSide = 128;

// Per channel (c x multiply >> 8) + add, limited to 0..255.
Rgba ApplyCxform(const Rgba& colour, const Cxform& cxform);
bool IsIdentity(const Cxform& cxform);
// An entry's transform under its parent's: multiply terms multiplied (>> 8), add terms added,
// each result limited to -256..256.
Cxform CombineCxform(const Cxform& own, const Cxform& parent);
// 256 RGB texels from `count` gradient entries of five bytes (ratio, red, green, blue, alpha),
// each colour first transformed.
void GradientRamp(const u8* entries, u16 count, const Cxform& cxform, u8 ramp[kRampTexels * 3]);
// The 128 x 128 RGB picture of a radial gradient: the ramp texel at the distance from the
// centre, 64 pixels reaching texel 255.
void RadialPicture(const u8 ramp[kRampTexels * 3], std::vector<u8>& rgb);
// The smallest power of two not below the side, at most the limit (itself a power of two, or
// lowered to one); 0 for a side of 0.
u32 TextureSide(u64 side, u32 limit);

}  // namespace swf::draw
