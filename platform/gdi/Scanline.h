#pragma once
// Scan conversion of shapes into row spans. A pixel belongs to a filled shape when its centre
// lies inside it, which keeps shapes symmetric and their areas disjoint from their neighbours.
// Lines follow Bresenham's walk and leave out their last point, as LineTo does.
#include <vector>

#include "platform/gdi/Region.h"

namespace plat::gdi {

RowSpans scanEllipse(const Rect& bounds);
RowSpans scanPolygon(const std::vector<Point>& points, FillMode mode);
// Each point of the walk from `from` to `to` (exclusive) stamps a width × width square.
RowSpans scanLine(Point from, Point to, int32_t width);

}  // namespace plat::gdi
