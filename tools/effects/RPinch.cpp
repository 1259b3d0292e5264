#include "tools/effects/RPinch.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RPinch::Kernel(const PixelView& source, i32 x, i32 y) const {
    const double reach = std::min(source.width, source.height) / 2.0;
    const double d = std::hypot(x - Origin().h, y - Origin().v);
    if (d >= reach || d == 0) return source.At(x, y);
    return effectPolarSample(source, Origin(), x, y, std::sqrt(reach / d), 0);
}
