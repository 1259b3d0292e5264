#pragma once
// Painting an area of device pixels with a pen or brush value through a raster operation: the
// one place where shapes, pattern fills and region fills touch pixels. The area is narrowed to
// the context's drawable area first, so every pixel is visited once.
#include <array>
#include <cstdint>

#include "platform/gdi/DeviceContext.h"

namespace plat::gdi {

struct BrushPixels {
    bool solid = true;
    uint32_t value = 0;
    std::array<uint32_t, 64> pattern{};
    uint32_t at(int32_t x, int32_t y) const { return solid ? value : pattern[size_t(((y & 7) << 3) | (x & 7))]; }
};

BrushPixels resolveBrush(const DeviceContext& dc, const Brush& brush);
BrushPixels solidPixels(uint32_t value);

void paintRop2(DeviceContext& dc, const Region& deviceArea, const BrushPixels& pixels, int rop2);
// Pattern raster operations without a source (PatBlt).
void paintRop3(DeviceContext& dc, const Region& deviceArea, const BrushPixels& pixels, uint8_t ropIndex);

}  // namespace plat::gdi
