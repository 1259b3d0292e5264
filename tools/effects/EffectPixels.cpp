#include "tools/effects/EffectPixels.h"

#include <cmath>
#include <cstdlib>

namespace {
i32 lumaAt(const PixelView& source, i32 x, i32 y) { return i32(effectLuma(effectSample(source, x, y))); }
}  // namespace

u16 effectEmboss(const PixelView& source, i32 x, i32 y) {
    return effectGrey(u32(std::clamp(15 + 2 * (lumaAt(source, x - 1, y - 1) - lumaAt(source, x + 1, y + 1)), 0, 31)));
}

u16 effectEdges(const PixelView& source, i32 x, i32 y) {
    const i32 edge = std::abs(lumaAt(source, x + 1, y) - lumaAt(source, x - 1, y)) +
                     std::abs(lumaAt(source, x, y + 1) - lumaAt(source, x, y - 1));
    return effectGrey(u32(31 - std::min(31, edge * 2)));
}

u16 effectBlur(const PixelView& source, i32 x, i32 y) {
    u32 r = 0, g = 0, b = 0;
    for (i32 dy = -2; dy <= 2; ++dy)
        for (i32 dx = -2; dx <= 2; ++dx) {
            const u16 p = effectSample(source, x + dx, y + dy);
            r += rgb555Red(p), g += rgb555Green(p), b += rgb555Blue(p);
        }
    return rgb555FromChannels((r + 12) / 25, (g + 12) / 25, (b + 12) / 25);
}

u16 effectPolarSample(const PixelView& source, Point16 centre, i32 x, i32 y, double scale, double turn) {
    const double dx = (x - centre.h) * scale, dy = (y - centre.v) * scale;
    const double c = std::cos(turn), s = std::sin(turn);
    return effectSample(source, centre.h + i32(std::lround(dx * c - dy * s)), centre.v + i32(std::lround(dx * s + dy * c)));
}
