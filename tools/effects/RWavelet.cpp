#include "tools/effects/RWavelet.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RWavelet::Kernel(const PixelView& source, i32 x, i32 y) const {
    return effectSample(source, x + i32(std::lround(6 * std::sin(y / 9.0))), y + i32(std::lround(3 * std::sin(x / 13.0))));
}
