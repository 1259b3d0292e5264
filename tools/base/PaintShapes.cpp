#include "tools/base/PaintShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {
// Enough points that neighbours on a canvas-sized ellipse stay a few pixels apart.
constexpr int kEllipseSteps = 96;
constexpr int kCurveSteps = 48;

i16 clampCoord(i32 v) { return i16(std::clamp<i32>(v, INT16_MIN, INT16_MAX)); }
}  // namespace

std::vector<DabSpan> roundDabSpans(i32 diameter) {
    if (diameter <= 1) return {DabSpan{0, 0, 1}};
    // Pixel centres inside a circle centred on the middle of the dab's box.
    std::vector<DabSpan> spans;
    const double r = diameter / 2.0;
    const i32 first = -(diameter / 2);
    for (i32 row = 0; row < diameter; ++row) {
        double y = row + 0.5 - r;
        double half = std::sqrt(std::max(0.0, r * r - y * y));
        i32 x0 = i32(std::ceil(r - half - 0.5));
        i32 x1 = i32(std::floor(r + half - 0.5)) + 1;
        if (x0 < x1) spans.push_back(DabSpan{i16(first + row), i16(first + x0), i16(first + x1)});
    }
    return spans;
}

std::vector<DabSpan> squareDabSpans(i32 side) {
    side = std::max(side, 1);
    std::vector<DabSpan> spans;
    const i32 first = -(side / 2);
    for (i32 row = 0; row < side; ++row) spans.push_back(DabSpan{i16(first + row), i16(first), i16(first + side)});
    return spans;
}

Rect16 dabBounds(Point16 c, i32 diameter) {
    diameter = std::max(diameter, 1);
    const i32 first = -(diameter / 2);
    return Rect16{clampCoord(c.h + first), clampCoord(c.v + first), clampCoord(c.h + first + diameter),
                  clampCoord(c.v + first + diameter)};
}

std::vector<Point16> linePixels(Point16 a, Point16 b) {
    std::vector<Point16> points;
    i32 x = a.h, y = a.v;
    const i32 dx = std::abs(b.h - a.h), dy = -std::abs(b.v - a.v);
    const i32 sx = a.h < b.h ? 1 : -1, sy = a.v < b.v ? 1 : -1;
    i32 error = dx + dy;
    points.reserve(size_t(std::max(dx, -dy)) + 1);
    for (;;) {
        points.push_back(Point16{i16(x), i16(y)});
        if (x == b.h && y == b.v) break;
        i32 twice = 2 * error;
        if (twice >= dy) error += dy, x += sx;
        if (twice <= dx) error += dx, y += sy;
    }
    return points;
}

std::vector<Point16> ellipsePath(Point16 p, Point16 q) {
    const double cx = (p.h + q.h) / 2.0, cy = (p.v + q.v) / 2.0;
    const double rx = std::abs(q.h - p.h) / 2.0, ry = std::abs(q.v - p.v) / 2.0;
    std::vector<Point16> path;
    for (int i = 0; i <= kEllipseSteps; ++i) {
        double t = 2 * std::numbers::pi * i / kEllipseSteps;
        Point16 point{clampCoord(i32(std::lround(cx + rx * std::cos(t)))), clampCoord(i32(std::lround(cy + ry * std::sin(t))))};
        if (path.empty() || point.h != path.back().h || point.v != path.back().v) path.push_back(point);
    }
    return path;
}

std::vector<Point16> rectanglePath(Point16 p, Point16 q) {
    return {p, Point16{q.h, p.v}, q, Point16{p.h, q.v}, p};
}

std::vector<Point16> curvePath(Point16 a, Point16 c, Point16 b) {
    std::vector<Point16> path;
    for (int i = 0; i <= kCurveSteps; ++i) {
        double t = double(i) / kCurveSteps, u = 1 - t;
        double x = u * u * a.h + 2 * u * t * c.h + t * t * b.h;
        double y = u * u * a.v + 2 * u * t * c.v + t * t * b.v;
        Point16 point{clampCoord(i32(std::lround(x))), clampCoord(i32(std::lround(y)))};
        if (path.empty() || point.h != path.back().h || point.v != path.back().v) path.push_back(point);
    }
    return path;
}

void polygonSpans(const std::vector<Point16>& polygon, const Rect16& limit, const SpanSink& sink) {
    if (polygon.size() < 3) return;
    Rect16 box = pathBounds(polygon, 0);
    i32 top = std::max<i32>(box.top, limit.top), bottom = std::min<i32>(box.bottom, limit.bottom);
    std::vector<double> crossings;
    for (i32 y = top; y < bottom; ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < polygon.size(); ++i) {
            Point16 p = polygon[i], q = polygon[(i + 1) % polygon.size()];
            if ((p.v <= sy) == (q.v <= sy)) continue;
            crossings.push_back(p.h + (sy - p.v) * (q.h - p.h) / double(q.v - p.v));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centres lie between the two crossings.
            i32 x0 = std::max<i32>(i32(std::ceil(crossings[i] - 0.5)), limit.left);
            i32 x1 = std::min<i32>(i32(std::ceil(crossings[i + 1] - 0.5)), limit.right);
            if (x0 < x1) sink(y, x0, x1);
        }
    }
}

Rect16 pathBounds(const std::vector<Point16>& path, i32 margin) {
    if (path.empty()) return Rect16{0, 0, 0, 0};
    i32 left = path[0].h, top = path[0].v, right = left, bottom = top;
    for (Point16 p : path) {
        left = std::min<i32>(left, p.h), right = std::max<i32>(right, p.h);
        top = std::min<i32>(top, p.v), bottom = std::max<i32>(bottom, p.v);
    }
    return Rect16{clampCoord(left - margin), clampCoord(top - margin), clampCoord(right + 1 + margin),
                  clampCoord(bottom + 1 + margin)};
}
