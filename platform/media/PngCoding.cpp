#include "platform/media/PngCoding.h"

#include <cstring>

#include <png.h>

namespace plat::media {

bool looksLikePng(const uint8_t* data, size_t size) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

MrErr decodePng(const uint8_t* data, size_t size, PictureImage& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return kMrBadFormat;
    image.format = PNG_FORMAT_RGBA;
    if (image.width > INT32_MAX || image.height > INT32_MAX ||
        !out.allocate(int32_t(image.width), int32_t(image.height))) {
        png_image_free(&image);
        return kMrMemFullErr;
    }
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return kMrBadFormat;
    }
    return kMrNoErr;
}

std::vector<uint8_t> encodePng(const PictureImage& picture) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, picture.rgba.data(), 0, nullptr)) return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, picture.rgba.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

}  // namespace plat::media
