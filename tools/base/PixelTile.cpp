#include "tools/base/PixelTile.h"

#include <algorithm>
#include <cmath>

namespace {

// One output pixel of a smooth scale: the four source pixels around the point (in source
// pixel units, centres at whole numbers) blended by their distances, white ones left out as
// the transparent part. Where more than half of the weight is transparent the pixel is too.
u16 blendAt(const PixelTile& tile, double sx, double sy) {
    const double fx = std::floor(sx), fy = std::floor(sy);
    const double tx = sx - fx, ty = sy - fy;
    double weight = 0, r = 0, g = 0, b = 0;
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
            const double w = (dx ? tx : 1 - tx) * (dy ? ty : 1 - ty);
            if (w <= 0) continue;
            const i32 x = std::clamp<i32>(i32(fx) + dx, 0, tile.width - 1), y = std::clamp<i32>(i32(fy) + dy, 0, tile.height - 1);
            const u16 pixel = tile.At(x, y);
            if (pixel == kRgb555White) continue;
            weight += w;
            r += w * rgb555Red(pixel);
            g += w * rgb555Green(pixel);
            b += w * rgb555Blue(pixel);
        }
    if (weight <= 0.5) return kRgb555White;
    const u16 pixel = rgb555FromChannels(u32(std::lround(r / weight)), u32(std::lround(g / weight)), u32(std::lround(b / weight)));
    // Rounding may reach white from colours a shade below it: that would be a hole.
    return pixel == kRgb555White ? u16(kRgb555White - 1) : pixel;
}

}  // namespace

PixelTile scaleTile(const PixelTile& tile, i32 percent) {
    if (!tile.IsValid()) return {};
    PixelTile out;
    out.width = i16(std::clamp<i32>(tile.width * percent / 100, 1, INT16_MAX));
    out.height = i16(std::clamp<i32>(tile.height * percent / 100, 1, INT16_MAX));
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    const double stepX = double(tile.width) / out.width, stepY = double(tile.height) / out.height;
    for (i32 y = 0; y < out.height; ++y)
        for (i32 x = 0; x < out.width; ++x)
            out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = blendAt(tile, (x + 0.5) * stepX - 0.5, (y + 0.5) * stepY - 0.5);
    return out;
}

void stampTile(ToolCanvas& canvas, const PixelTile& tile, Point16 centre) {
    if (!tile.IsValid()) return;
    const i32 left = centre.h - tile.width / 2, top = centre.v - tile.height / 2;
    for (i32 y = 0; y < tile.height; ++y)
        for (i32 x = 0; x < tile.width; ++x) {
            u16 pixel = tile.At(x, y);
            if (pixel != kRgb555White) canvas.Picture().Put(left + x, top + y, pixel);
        }
    canvas.MarkChanged(Rect16{i16(left), i16(top), i16(left + tile.width), i16(top + tile.height)});
}
