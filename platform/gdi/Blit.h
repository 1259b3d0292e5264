#pragma once
// Copies between device contexts and from pixel buffers, through ternary raster operations
// (source, destination and the destination's brush). Boxes are logical: each context maps its
// own box. A negative width or height covers the pixels from x + w + 1 to x (likewise for y)
// and, when the signs of source and destination differ, mirrors the picture. Stretches sample
// the nearest source pixel; when they shrink in the black-on-white (white-on-black) stretch
// mode, the values of all source pixels that meet in one destination pixel are ANDed (ORed).
// Source pixels that fall outside the source surface leave the destination unchanged. Copies
// within one surface read a snapshot.
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RasterOps.h"

namespace plat::gdi {

// A caller's pixel buffer in one of the surface layouts. For 1, 4 and 8 bits `colors` holds the
// table, each entry an RGB or palette-index colour reference; source boxes count rows from the
// top whatever the storage order.
struct DibImage {
    int32_t width = 0;
    int32_t height = 0;
    int bitsPerPixel = 8;
    int32_t stride = 0;
    RowOrder order = RowOrder::BottomUp;
    const uint8_t* bits = nullptr;
    std::vector<ColorRef> colors;
};

bool bitBlt(DeviceContext& dst, Box dstBox, const DeviceContext* src, Point srcPos, Rop3 rop);
bool stretchBlt(DeviceContext& dst, Box dstBox, const DeviceContext* src, Box srcBox, Rop3 rop);
bool stretchDib(DeviceContext& dst, Box dstBox, const DibImage& image, Box srcBox, Rop3 rop);

// Moves the pixels of `scroll` ∩ `clip` by (dx, dy) within `clip` (both logical); `update`,
// when given, receives the uncovered part of `clip` in device pixels.
bool scrollDC(DeviceContext& dc, int32_t dx, int32_t dy, const Rect& scroll, const Rect& clip, Region* update);

// The pixels a box covers, as a rectangle with positive extents.
Rect boxArea(Box box);

}  // namespace plat::gdi
