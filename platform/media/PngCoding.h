#pragma once
// PNG files through libpng's simplified interface: any PNG read as RGBA, written as RGB.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

bool looksLikePng(const uint8_t* data, size_t size);
MrErr decodePng(const uint8_t* data, size_t size, PictureImage& out);
// Empty when libpng refuses the picture.
std::vector<uint8_t> encodePng(const PictureImage& image);

}  // namespace plat::media
