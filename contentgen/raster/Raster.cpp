#include "contentgen/raster/Raster.h"

#include <algorithm>

u16 rasterTo555(u32 pixel) {
    const u32 a = pixel >> 24;
    if (a == 0) return 0;
    auto channel = [&](int shift) {
        const u32 c = (pixel >> shift) & 0xFF;
        return std::min<u32>(255, (c * 255 + a / 2) / a);
    };
    const u32 r = channel(16), g = channel(8), b = channel(0);
    return u16(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

namespace {

RasterBounds boundsFrom(const Raster& raster, u32 alphaFrom) {
    RasterBounds b{raster.width, raster.height, 0, 0};
    for (int y = 0; y < raster.height; ++y)
        for (int x = 0; x < raster.width; ++x)
            if ((raster.at(x, y) >> 24) >= alphaFrom) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
    if (b.empty()) return RasterBounds{};
    return b;
}

}  // namespace

RasterBounds rasterOpaqueBounds(const Raster& raster) { return boundsFrom(raster, kOpaqueFrom); }

RasterBounds rasterPaintedBounds(const Raster& raster) { return boundsFrom(raster, 1); }
