#include "platform/display/sdl/SdlCursorMasks.h"

namespace plat {

SdlCursorMasks sdlCursorMasks(const std::vector<uint8_t>& andMask, const std::vector<uint8_t>& xorMask) {
    SdlCursorMasks out;
    out.data.resize(andMask.size());
    out.mask.resize(andMask.size());
    for (size_t i = 0; i < andMask.size(); ++i) {
        out.data[i] = uint8_t(~(andMask[i] ^ xorMask[i]));
        out.mask[i] = uint8_t(~andMask[i]);
    }
    return out;
}

}  // namespace plat
