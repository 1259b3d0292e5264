#include "tools/effects/RPulse.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RPulse::Kernel(const PixelView& source, i32 x, i32 y) const {
    const double d = std::hypot(x - Origin().h, y - Origin().v);
    const i32 shift = i32(std::lround(7 * std::sin(d / 6)));
    const u16 p = source.At(x, y);
    return effectChannels(rgb555Red(p) + shift, rgb555Green(p) + shift, rgb555Blue(p) + shift);
}
