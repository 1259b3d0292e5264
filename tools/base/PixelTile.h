#pragma once
// A small RGB555 picture a tool lays down: a pattern tile, a stamp, a frame of a cyclic
// roller. White (0x7FFF) is the transparent pixel of a stamp.
#include <vector>

#include "tools/base/ToolCanvas.h"

struct PixelTile {
    std::vector<u16> pixels;
    i16 width = 0;
    i16 height = 0;

    // Whether the pixels fill width × height exactly and the tile is not empty.
    bool IsValid() const { return width > 0 && height > 0 && pixels.size() == size_t(width) * size_t(height); }
    u16 At(i32 x, i32 y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The tile scaled to percent of its size, at least 1 × 1, smoothly: colours blend between
// neighbouring pixels and edges against the white (transparent) part follow the outline
// instead of growing into blocks. At 100 percent the tile comes back unchanged.
PixelTile scaleTile(const PixelTile& tile, i32 percent);
// Lays the tile centred on p, leaving the picture alone under its white pixels.
void stampTile(ToolCanvas& canvas, const PixelTile& tile, Point16 centre);
