#include "platform/media/movie/MovieEffects.h"

#include <algorithm>
#include <cstring>

namespace plat::media {

namespace {

const uint8_t* rowOf(const MrPixMap& map, int32_t y) { return map.base + size_t(y) * size_t(map.rowBytes); }
uint8_t* rowOf(MrPixMap& map, int32_t y) { return map.base + size_t(y) * size_t(map.rowBytes); }

}  // namespace

bool isKnownEffect(uint32_t type) {
    return type == kEffectDissolve || type == kEffectWipe || type == kEffectIris || type == kEffectPush;
}

void drawEffect(uint32_t effect, uint32_t direction, int32_t progress, const MrPixMap& a, const MrPixMap& b,
                MrPixMap& out) {
    const int32_t w = widthOf(out.bounds), h = heightOf(out.bounds);
    progress = std::clamp(progress, 0, 65536);
    const int64_t cx = w / 2, cy = h / 2;
    const int64_t radius = int64_t(progress) * (cx * cx + cy * cy + 1) >> 16;  // squared, grows with the area
    // How far srcB has come in from its side, in pixels of the moving axis.
    const bool across = direction == 0 || direction == 2;
    const int32_t extent = across ? w : h;
    const int32_t covered = int32_t(int64_t(extent) * progress >> 16);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* ra = rowOf(a, y);
        const uint8_t* rb = rowOf(b, y);
        uint8_t* ro = rowOf(out, y);
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* pa = ra + 4 * x;
            const uint8_t* pb = rb + 4 * x;
            uint8_t* po = ro + 4 * x;
            if (effect == kEffectDissolve) {
                for (int c = 0; c < 4; ++c) po[c] = uint8_t((pa[c] * (65536 - progress) + pb[c] * progress) >> 16);
                continue;
            }
            const int32_t along = across ? (direction == 0 ? x : w - 1 - x) : (direction == 1 ? y : h - 1 - y);
            if (effect == kEffectWipe) {
                std::memcpy(po, along < covered ? pb : pa, 4);
            } else if (effect == kEffectIris) {
                const int64_t dx = x - cx, dy = y - cy;
                std::memcpy(po, dx * dx + dy * dy < radius ? pb : pa, 4);
            } else if (effect == kEffectPush) {
                // srcB enters from the side and srcA leaves by the other, both moving by `covered`.
                const int32_t inB = along - (covered - extent);
                const bool fromB = along < covered;
                const int32_t source = fromB ? inB : along - covered;
                int32_t sx = x, sy = y;
                if (across) sx = direction == 0 ? source : w - 1 - source;
                else sy = direction == 1 ? source : h - 1 - source;
                const MrPixMap& from = fromB ? b : a;
                std::memcpy(po, rowOf(from, sy) + 4 * sx, 4);
            } else {
                std::memcpy(po, pa, 4);
            }
        }
    }
}

}  // namespace plat::media
