#include "tools/effects/RBubbles.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

namespace {
constexpr int kBubbles = 14;
}  // namespace

u16 RBubbles::Kernel(const PixelView& source, i32 x, i32 y) const {
    // The bubbles sit at fixed places scaled to the picture; the first that holds the pixel
    // magnifies what lies under its middle and shines at its top left.
    const i32 unit = std::max<i32>(std::min(source.width, source.height) / 10, 3);
    for (int i = 0; i < kBubbles; ++i) {
        const u32 h = u32(i + 1) * 2654435761u;
        const i32 bx = i32(h % 997) * source.width / 997, by = i32((h >> 10) % 991) * source.height / 991;
        const i32 r = unit * (2 + i32((h >> 20) % 3)) / 2;
        const i32 dx = x - bx, dy = y - by;
        const i32 d2 = dx * dx + dy * dy;
        if (d2 > r * r) continue;
        if (r * r - d2 <= 2 * r) return kRgb555White;  // the rim
        const i32 hx = x - (bx - r / 3), hy = y - (by - r / 3);
        if (hx * hx + hy * hy <= (r / 5) * (r / 5)) return kRgb555White;
        return effectSample(source, bx + dx * 2 / 3, by + dy * 2 / 3);
    }
    return source.At(x, y);
}
