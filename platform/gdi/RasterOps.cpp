#include "platform/gdi/RasterOps.h"

namespace plat::gdi {

uint32_t applyRop2(int mode, uint32_t pen, uint32_t dst) {
    uint32_t table = uint32_t(mode - 1) & 0xF;
    uint32_t result = 0;
    if (table & 1) result |= ~pen & ~dst;
    if (table & 2) result |= ~pen & dst;
    if (table & 4) result |= pen & ~dst;
    if (table & 8) result |= pen & dst;
    return result;
}

uint32_t applyRop3(uint8_t index, uint32_t pat, uint32_t src, uint32_t dst) {
    uint32_t result = 0;
    for (int k = 0; k < 8; ++k) {
        if (!((index >> k) & 1)) continue;
        result |= ((k & 4) ? pat : ~pat) & ((k & 2) ? src : ~src) & ((k & 1) ? dst : ~dst);
    }
    return result;
}

}  // namespace plat::gdi
