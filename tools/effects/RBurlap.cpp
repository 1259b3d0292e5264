#include "tools/effects/RBurlap.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RBurlap::Kernel(const PixelView& source, i32 x, i32 y) const {
    // Threads two pixels wide cross over and under; each thread lies a little off straight.
    const bool across = ((x / 2 + y / 2) & 1) != 0;
    const u32 h = u32(across ? y / 2 : x / 2) * 2246822519u;
    const i32 sx = across ? x + i32(h >> 30) - 1 : x, sy = across ? y : y + i32(h >> 30) - 1;
    const u16 p = effectSample(source, sx, sy);
    const i32 shade = (across ? 26 : 31) - i32((h >> 27) & 3);
    return effectChannels(rgb555Red(p) * shade / 31, rgb555Green(p) * shade / 31, rgb555Blue(p) * shade / 31);
}
