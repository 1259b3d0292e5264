#pragma once
// PICT version 2 pictures: reading the bitmap opcodes (BitsRect, BitsRgn, PackBitsRect,
// PackBitsRgn, DirectBitsRect, DirectBitsRgn) at 1, 2, 4, 8, 16 and 32 bits over a white
// frame, skipping the drawing opcodes by their sizes; writing a picture as one DirectBitsRect
// of 32-bit pixels packed per component. Files may carry the 512-byte header of a file or
// start at the picture itself.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

bool looksLikePict(const uint8_t* data, size_t size);
MrErr decodePict(const uint8_t* data, size_t size, PictureImage& out);
// The picture with the 512-byte file header in front.
std::vector<uint8_t> encodePict(const PictureImage& image);

}  // namespace plat::media
