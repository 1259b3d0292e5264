#include "platform/media/PictureImage.h"

#include <new>

namespace plat::media {

bool PictureImage::allocate(int32_t w, int32_t h, uint8_t fill) {
    if (w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) > kMaxPicturePixels) return false;
    try {
        rgba.assign(size_t(w) * size_t(h) * 4, fill);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width = w, height = h;
    return true;
}

}  // namespace plat::media
