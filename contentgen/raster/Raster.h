#pragma once
// A picture as the painter leaves it: 32-bit pixels, alpha in the top byte and colours
// premultiplied by it, rows top-down without padding. Converted here into the program's
// 16-bit RGB555 words; a place counts as opaque from half coverage up, so anti-aliased
// edges keep their own (unpremultiplied) colour instead of darkening towards black.
#include <cstddef>
#include <vector>

#include "engine/base/EngineTypes.h"

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<u32> pixels;

    Raster() = default;
    Raster(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
    u32 at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

constexpr u32 kOpaqueFrom = 128;

inline bool rasterOpaque(u32 pixel) { return (pixel >> 24) >= kOpaqueFrom; }

// The RGB555 word of a premultiplied pixel.
u16 rasterTo555(u32 pixel);

struct RasterBounds {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
    bool empty() const { return right <= left || bottom <= top; }
};

// The smallest rectangle holding every opaque place; empty when there is none.
RasterBounds rasterOpaqueBounds(const Raster& raster);
// The same for every place painted at all, however faintly.
RasterBounds rasterPaintedBounds(const Raster& raster);
