#include "media/swfgl/ColourMath.h"

#include <algorithm>
#include <cmath>

namespace swf::draw {

namespace {

u8 Channel(i32 value, i32 multiply, i32 add) { return u8(std::clamp((value * multiply >> 8) + add, 0, 255)); }

}  // namespace

Rgba ApplyCxform(const Rgba& colour, const Cxform& cxform) {
    return Rgba{Channel(colour.red, cxform.mul[0], cxform.add[0]), Channel(colour.green, cxform.mul[1], cxform.add[1]),
                Channel(colour.blue, cxform.mul[2], cxform.add[2]), Channel(colour.alpha, cxform.mul[3], cxform.add[3])};
}

bool IsIdentity(const Cxform& cxform) { return cxform == Cxform{}; }

Cxform CombineCxform(const Cxform& own, const Cxform& parent) {
    Cxform combined;
    for (int c = 0; c < 4; ++c) {
        combined.mul[c] = i16(std::clamp((i32(own.mul[c]) * parent.mul[c]) >> 8, -256, 256));
        combined.add[c] = i16(std::clamp(i32(own.add[c]) + parent.add[c], -256, 256));
    }
    return combined;
}

void GradientRamp(const u8* entries, u16 count, const Cxform& cxform, u8 ramp[kRampTexels * 3]) {
    auto colourOf = [&](u16 i) {
        const u8* e = entries + 5u * i;
        return ApplyCxform(Rgba{e[1], e[2], e[3], e[4]}, cxform);
    };
    auto put = [&](u32 texel, const Rgba& c) {
        ramp[3 * texel] = c.red;
        ramp[3 * texel + 1] = c.green;
        ramp[3 * texel + 2] = c.blue;
    };
    const Rgba first = count ? colourOf(0) : Rgba{0, 0, 0, 0};
    for (u32 t = 0; t < kRampTexels; ++t) put(t, first);
    if (count < 2) return;
    for (u16 i = 0; i + 1 < count; ++i) {
        const u32 from = entries[5u * i], to = entries[5u * (i + 1)];
        if (to <= from) continue;
        const Rgba a = colourOf(i), b = colourOf(u16(i + 1));
        const u8 start[3] = {a.red, a.green, a.blue}, end[3] = {b.red, b.green, b.blue};
        for (int c = 0; c < 3; ++c) {
            const i32 step = (i32(end[c]) - start[c]) * 256 / i32(to - from);
            i32 value = i32(start[c]) << 8;
            for (u32 t = from; t < to; ++t, value += step) ramp[3 * t + c] = u8(value >> 8);
        }
    }
    const Rgba last = colourOf(u16(count - 1));
    for (u32 t = entries[5u * (count - 1)]; t < kRampTexels; ++t) put(t, last);
}

void RadialPicture(const u8 ramp[kRampTexels * 3], std::vector<u8>& rgb) {
    rgb.resize(kRadialSide * kRadialSide * 3);
    const i32 centre = kRadialSide / 2;
    for (u32 y = 0; y < kRadialSide; ++y) {
        for (u32 x = 0; x < kRadialSide; ++x) {
            const double dx = i32(x) - centre, dy = i32(y) - centre;
            const u32 texel = std::min(255u, u32(std::floor(std::sqrt(dx * dx + dy * dy) / centre * 255)));
            u8* out = &rgb[3 * (y * kRadialSide + x)];
            std::copy(ramp + 3 * texel, ramp + 3 * texel + 3, out);
        }
    }
}

u32 TextureSide(u64 side, u32 limit) {
    if (side == 0) return 0;
    u64 cap = 1;
    while (cap * 2 <= limit) cap *= 2;
    u64 power = 1;
    while (power < side && power < cap) power *= 2;
    return u32(power);
}

}  // namespace swf::draw
