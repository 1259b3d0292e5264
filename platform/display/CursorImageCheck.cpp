#include "platform/display/CursorImageCheck.h"

namespace plat {

bool validCursorImage(const CursorImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width % 8 != 0 || image.width > 256 || image.height > 256)
        return false;
    size_t bytes = size_t(image.width / 8) * size_t(image.height);
    return image.andMask.size() == bytes && image.xorMask.size() == bytes &&
           gdi::Rect{0, 0, image.width, image.height}.contains(image.hotspot);
}

}  // namespace plat
