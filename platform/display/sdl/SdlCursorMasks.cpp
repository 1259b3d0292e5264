#include "platform/display/sdl/SdlCursorMasks.h"

namespace plat {

SdlCursorMasks sdlCursorMasks(const cursor::CursorImage& image) {
    SdlCursorMasks out;
    for (size_t i = 0; i < out.data.size(); ++i) {
        out.data[i] = uint8_t(~(image.andPlane[i] ^ image.xorPlane[i]));
        out.mask[i] = uint8_t(~image.andPlane[i]);
    }
    return out;
}

}  // namespace plat
