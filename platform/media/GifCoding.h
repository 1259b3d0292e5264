#pragma once
// GIF files through giflib: the first frame read onto its logical screen (transparent and
// uncovered places white), and pictures written as one frame of at most 256 colours.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

bool looksLikeGif(const uint8_t* data, size_t size);
MrErr decodeGif(const uint8_t* data, size_t size, PictureImage& out);
// Empty when giflib fails.
std::vector<uint8_t> encodeGif(const PictureImage& image);

}  // namespace plat::media
