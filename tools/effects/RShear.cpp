#include "tools/effects/RShear.h"

#include <algorithm>
#include <cmath>

#include "tools/effects/EffectPixels.h"

u16 RShear::Kernel(const PixelView& source, i32 x, i32 y) const {
    const i32 shift = (y - Origin().v) * 3 / 10;
    const i32 sx = ((x + shift) % source.width + source.width) % source.width;
    return source.At(sx, y);
}
