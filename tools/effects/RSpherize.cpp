#include "tools/effects/RSpherize.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RSpherize::Kernel(const PixelView& source, i32 x, i32 y) const {
    const double reach = std::min(source.width, source.height) / 2.0;
    const double d = std::hypot(x - Origin().h, y - Origin().v);
    if (d >= reach) return source.At(x, y);
    return effectPolarSample(source, Origin(), x, y, d / reach, 0);
}
