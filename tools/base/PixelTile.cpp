#include "tools/base/PixelTile.h"

#include <algorithm>

PixelTile scaleTile(const PixelTile& tile, i32 percent) {
    if (!tile.IsValid()) return {};
    PixelTile out;
    out.width = i16(std::clamp<i32>(tile.width * percent / 100, 1, INT16_MAX));
    out.height = i16(std::clamp<i32>(tile.height * percent / 100, 1, INT16_MAX));
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    for (i32 y = 0; y < out.height; ++y)
        for (i32 x = 0; x < out.width; ++x)
            out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = tile.At(x * tile.width / out.width, y * tile.height / out.height);
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
