#include "tools/effects/RRipple.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RRipple::Kernel(const PixelView& source, i32 x, i32 y) const {
    const double d = std::hypot(x - Origin().h, y - Origin().v);
    if (d == 0) return source.At(x, y);
    return effectPolarSample(source, Origin(), x, y, (d + 4 * std::sin(d / 5)) / d, 0);
}
