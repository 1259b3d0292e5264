#pragma once
// The geometry the tools share: round and square dabs as row spans, the pixels of a line,
// the outline of an ellipse or a quadratic curve as a closed or open path, and the rows of a
// polygon's inside. Spans are half-open: x0 .. x1 - 1.
#include <functional>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

struct DabSpan {
    i16 dy;
    i16 x0;
    i16 x1;
};

using SpanSink = std::function<void(i32 y, i32 x0, i32 x1)>;

// The rows of a round dab of the diameter around (0, 0); a diameter of 1 or less is one pixel.
std::vector<DabSpan> roundDabSpans(i32 diameter);
std::vector<DabSpan> squareDabSpans(i32 side);
// The dab's bounding rectangle around a centre.
Rect16 dabBounds(Point16 centre, i32 diameter);

// Every pixel from a to b, both included, in order.
std::vector<Point16> linePixels(Point16 a, Point16 b);
// The ellipse inside the rectangle (corners in any order) as a closed path.
std::vector<Point16> ellipsePath(Point16 corner1, Point16 corner2);
std::vector<Point16> rectanglePath(Point16 corner1, Point16 corner2);
// From a to b, bent toward the control point.
std::vector<Point16> curvePath(Point16 a, Point16 control, Point16 b);
// The rows inside the closed polygon (even-odd rule, sampled at pixel centres), cut to the
// rectangle.
void polygonSpans(const std::vector<Point16>& polygon, const Rect16& limit, const SpanSink& sink);
// The bounding rectangle of a path, one pixel wide and high at least, grown by `margin`.
Rect16 pathBounds(const std::vector<Point16>& path, i32 margin);
