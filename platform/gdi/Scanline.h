#pragma once
// Scan conversion of shapes into row spans. A pixel belongs to a filled shape when its centre
// lies inside it, which keeps shapes symmetric and their areas disjoint from their neighbours.
// Lines follow Bresenham's walk and leave out their last point, as LineTo does.
// Shapes are scanned only over the rows of a window (the rows a caller can draw on), so that
// coordinates far off the surface cost nothing for the rows nobody sees.
#include <cstdint>
#include <vector>

#include "platform/gdi/Region.h"

namespace plat::gdi {

// Rows [top, bottom).
struct RowWindow {
    int32_t top = INT32_MIN;
    int32_t bottom = INT32_MAX;
};

RowSpans scanEllipse(const Rect& bounds);
RowSpans scanPolygon(const std::vector<Point>& points, FillMode mode, RowWindow window = {});
// Each point of the walk from `from` to `to` (exclusive) stamps a width × width square.
RowSpans scanLine(Point from, Point to, int32_t width, RowWindow window = {});

}  // namespace plat::gdi
