#pragma once
// Shapes, lines, pattern fills and single pixels on a device context. Coordinates are logical.
// Outlines use the selected pen, interiors the selected brush, both through the context's
// binary raster operation; an outline and its interior never share a pixel, so a shape drawn
// twice in XOR mode leaves nothing behind. Pens draw inside the shape's bounding rectangle.
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RasterOps.h"

namespace plat::gdi {

void moveTo(DeviceContext& dc, Point to, Point* previous = nullptr);
// Draws from the current position up to, not including, `to`, which becomes the position.
void lineTo(DeviceContext& dc, Point to);
void rectangle(DeviceContext& dc, const Rect& bounds);
void ellipse(DeviceContext& dc, const Rect& bounds);
// The outline closes the figure; the interior follows the context's polygon fill mode.
void polygon(DeviceContext& dc, const std::vector<Point>& points);

// Pattern raster operation with the selected brush over the rectangle from (x, y) to
// (x + w, y + h), whichever way round its edges come.
void patBlt(DeviceContext& dc, Box area, Rop3 rop);
// Fills a region given in logical coordinates with a brush, whatever the raster operation.
void fillRegion(DeviceContext& dc, const Region& logical, const Brush& brush);
void invertRect(DeviceContext& dc, const Rect& area);

// Returns the colour actually set, or kColorInvalid outside the drawable area.
ColorRef setPixel(DeviceContext& dc, Point at, ColorRef color);
// The RGB colour at a point, or kColorInvalid outside the drawable area.
ColorRef getPixel(const DeviceContext& dc, Point at);

}  // namespace plat::gdi
