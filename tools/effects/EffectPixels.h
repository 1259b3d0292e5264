#pragma once
// What the pixel effects and the effect brushes compute a pixel from: its brightness, colour
// changes of one pixel (five-bit channels throughout), the picture read at a point clamped to
// its edges, and the neighbourhood kernels (emboss, edges, blur, blocks).
#include <algorithm>

#include "tools/base/PixelView.h"

// 0 .. 31.
inline u32 effectLuma(u16 p) { return (rgb555Red(p) * 77u + rgb555Green(p) * 150u + rgb555Blue(p) * 29u) >> 8; }
inline u16 effectChannels(i32 r, i32 g, i32 b) {
    return rgb555FromChannels(u32(std::clamp(r, 0, 31)), u32(std::clamp(g, 0, 31)), u32(std::clamp(b, 0, 31)));
}
inline u16 effectGrey(u32 level) { return effectChannels(i32(level), i32(level), i32(level)); }

// A photographic negative in cold blue, as an x-ray looks.
inline u16 effectXRay(u16 p) {
    const i32 l = 31 - i32(effectLuma(p));
    return effectChannels(l * 3 / 4, l * 7 / 8, l);
}
// The negative with its colours pushed to glowing.
inline u16 effectNuclear(u16 p) {
    return effectChannels((23 - rgb555Red(p)) * 2, (23 - rgb555Green(p)) * 2, (23 - rgb555Blue(p)) * 2);
}
// A third of the way to white.
inline u16 effectLighten(u16 p) {
    return effectChannels(rgb555Red(p) + (32 - rgb555Red(p)) / 3, rgb555Green(p) + (32 - rgb555Green(p)) / 3,
                          rgb555Blue(p) + (32 - rgb555Blue(p)) / 3);
}
inline u16 effectSepia(u16 p) {
    const i32 l = i32(effectLuma(p));
    return effectChannels(l + 4, l * 7 / 8, l * 9 / 16);
}
// The brightness in the tint, halfway between the tint and grey.
inline u16 effectColorize(u16 p, u16 tint) {
    const i32 l = i32(effectLuma(p));
    return effectChannels(l * (rgb555Red(tint) + 31) / 62, l * (rgb555Green(tint) + 31) / 62,
                          l * (rgb555Blue(tint) + 31) / 62);
}
// Red becomes green, green blue and blue red.
inline u16 effectHueShift(u16 p) { return rgb555FromChannels(rgb555Blue(p), rgb555Red(p), rgb555Green(p)); }
// Four levels a channel.
inline u16 effectPosterize(u16 p) {
    auto level = [](u32 c) { return i32((c >> 3) * 31 / 3); };
    return effectChannels(level(rgb555Red(p)), level(rgb555Green(p)), level(rgb555Blue(p)));
}
// The bright half of each channel turned over.
inline u16 effectSolarize(u16 p) {
    auto turn = [](u32 c) { return i32(c > 15 ? 31 - c : c); };
    return effectChannels(turn(rgb555Red(p)), turn(rgb555Green(p)), turn(rgb555Blue(p)));
}

inline u16 effectSample(const PixelView& source, i32 x, i32 y) {
    return source.At(std::clamp<i32>(x, 0, source.width - 1), std::clamp<i32>(y, 0, source.height - 1));
}
// Grey relief lit from the top left.
u16 effectEmboss(const PixelView& source, i32 x, i32 y);
// Dark lines where the brightness changes, white elsewhere.
u16 effectEdges(const PixelView& source, i32 x, i32 y);
// The average of the 5 x 5 pixels around.
u16 effectBlur(const PixelView& source, i32 x, i32 y);
// The colour at the middle of the `block`-square the pixel lies in.
inline u16 effectBlock(const PixelView& source, i32 x, i32 y, i32 block) {
    return effectSample(source, x / block * block + block / 2, y / block * block + block / 2);
}
// The picture read at the point (x, y) moved `scale` times as far from `centre` and turned
// round it by `turn` radians.
u16 effectPolarSample(const PixelView& source, Point16 centre, i32 x, i32 y, double scale, double turn);
