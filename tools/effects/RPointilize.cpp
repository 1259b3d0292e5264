#include "tools/effects/RPointilize.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

namespace {
constexpr i32 kCell = 8;
constexpr i32 kDot = 3;  // radius
}  // namespace

u16 RPointilize::Kernel(const PixelView& source, i32 x, i32 y) const {
    // Each cell of the grid holds one dot, nudged a little off the cell's middle.
    const i32 cx = x / kCell, cy = y / kCell;
    for (i32 ny = cy - 1; ny <= cy + 1; ++ny)
        for (i32 nx = cx - 1; nx <= cx + 1; ++nx) {
            const u32 jitter = u32(nx * 73856093) ^ u32(ny * 19349663);
            const i32 dotX = nx * kCell + kCell / 2 + i32(jitter % 3) - 1, dotY = ny * kCell + kCell / 2 + i32((jitter >> 8) % 3) - 1;
            if ((x - dotX) * (x - dotX) + (y - dotY) * (y - dotY) <= kDot * kDot) return effectSample(source, dotX, dotY);
        }
    return kRgb555White;
}
