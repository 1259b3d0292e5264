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
    // The channels spread apart (blue in bits 0-9, red 10-19, green 21-30) add up in one sum:
    // 25 five-bit values fit in ten bits.
    u32 sum = 0;
    auto add = [&sum](u16 p) { sum += (u32(p) | (u32(p) << 16)) & 0x03E07C1Fu; };
    if (x >= 2 && y >= 2 && x + 2 < source.width && y + 2 < source.height) {
        for (i32 dy = -2; dy <= 2; ++dy) {
            const u16* row = source.Row(y + dy) + x;
            add(row[-2]), add(row[-1]), add(row[0]), add(row[1]), add(row[2]);
        }
    } else {
        for (i32 dy = -2; dy <= 2; ++dy)
            for (i32 dx = -2; dx <= 2; ++dx) add(effectSample(source, x + dx, y + dy));
    }
    return rgb555FromChannels((((sum >> 10) & 0x3FF) + 12) / 25, ((sum >> 21) + 12) / 25, ((sum & 0x3FF) + 12) / 25);
}

u16 effectPolarSample(const PixelView& source, Point16 centre, i32 x, i32 y, double scale, double turn) {
    const double dx = (x - centre.h) * scale, dy = (y - centre.v) * scale;
    const double c = std::cos(turn), s = std::sin(turn);
    return effectSample(source, centre.h + i32(std::lround(dx * c - dy * s)), centre.v + i32(std::lround(dx * s + dy * c)));
}
