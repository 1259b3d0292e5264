#pragma once
// TIFF files through libtiff: 8-bit RGB strips, LZW-compressed.
#include <string>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/PictureImage.h"

namespace plat::media {

MrErr writeTiff(const PictureImage& image, const std::string& path);

}  // namespace plat::media
