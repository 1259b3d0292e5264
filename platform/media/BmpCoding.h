#pragma once
// Windows bitmap files: reading 1, 4, 8, 16, 24 and 32 bits (plain, RLE8, RLE4 and bit-field
// layouts, bottom-up or top-down, core and info headers) and writing 24-bit files.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

bool looksLikeBmp(const uint8_t* data, size_t size);
MrErr decodeBmp(const uint8_t* data, size_t size, PictureImage& out);
std::vector<uint8_t> encodeBmp(const PictureImage& image);

}  // namespace plat::media
