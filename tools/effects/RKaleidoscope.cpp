#include "tools/effects/RKaleidoscope.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/effects/EffectPixels.h"

u16 RKaleidoscope::Kernel(const PixelView& source, i32 x, i32 y) const {
    constexpr double kSlice = std::numbers::pi / 4;
    const double dx = x - Origin().h, dy = y - Origin().v;
    const double d = std::hypot(dx, dy);
    double a = std::fmod(std::atan2(dy, dx) + 2 * std::numbers::pi, 2 * kSlice);
    if (a > kSlice) a = 2 * kSlice - a;
    return effectSample(source, Origin().h + i32(std::lround(d * std::cos(a))), Origin().v + i32(std::lround(d * std::sin(a))));
}
