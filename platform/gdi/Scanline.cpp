#include "platform/gdi/Scanline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plat::gdi {

RowSpans scanEllipse(const Rect& bounds) {
    Rect r = bounds.normalized();
    RowSpans out{r.top, {}};
    if (r.empty()) return out;
    double cx = (double(r.left) + r.right) / 2.0;
    double cy = (double(r.top) + r.bottom) / 2.0;
    double rx = r.width() / 2.0;
    double ry = r.height() / 2.0;
    out.rows.resize(size_t(r.height()));
    for (int32_t y = r.top; y < r.bottom; ++y) {
        double dy = (y + 0.5 - cy) / ry;
        double t = 1.0 - dy * dy;
        if (t < 0) continue;
        double half = rx * std::sqrt(t);
        auto left = int32_t(std::ceil(cx - half - 0.5));
        auto right = int32_t(std::floor(cx + half - 0.5)) + 1;
        if (right > left) out.rows[size_t(y - r.top)].push_back({left, right});
    }
    return out;
}

RowSpans scanPolygon(const std::vector<Point>& points, FillMode mode, RowWindow window) {
    RowSpans out;
    if (points.size() < 3) return out;
    int32_t top = points[0].y, bottom = points[0].y;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    top = std::max(top, window.top);
    bottom = std::min(bottom, window.bottom);
    if (bottom <= top) return out;
    out.top = top;
    out.rows.resize(size_t(bottom - top));
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int32_t y = top; y < bottom; ++y) {
        double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            Point a = points[i];
            Point b = points[(i + 1) % points.size()];
            if (a.y == b.y) continue;
            int direction = a.y < b.y ? 1 : -1;
            if (direction < 0) std::swap(a, b);
            if (sy < a.y || sy >= b.y) continue;
            double x = a.x + (sy - a.y) * double(b.x - a.x) / double(b.y - a.y);
            crossings.push_back({x, direction});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        auto& row = out.rows[size_t(y - top)];
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += mode == FillMode::Winding ? crossings[i].direction : 1;
            bool inside = mode == FillMode::Winding ? winding != 0 : (winding & 1) != 0;
            if (!inside) continue;
            auto left = int32_t(std::ceil(crossings[i].x - 0.5));
            auto right = int32_t(std::ceil(crossings[i + 1].x - 0.5));
            if (right > left) row.push_back({left, right});
        }
    }
    return out;
}

RowSpans scanLine(Point from, Point to, int32_t width, RowWindow window) {
    width = std::max(width, 1);
    int32_t lo = width / 2;
    RowSpans out;
    // Rows [first, last) of the whole line's rows lie in the window.
    int64_t lineTop = int64_t(std::min(from.y, to.y)) - lo, lineRows = int64_t(std::abs(to.y - from.y)) + width;
    int64_t first = std::clamp(int64_t(window.top) - lineTop, int64_t(0), lineRows);
    int64_t last = std::clamp(int64_t(window.bottom) - lineTop, first, lineRows);
    out.top = int32_t(lineTop + first);
    out.rows.resize(size_t(last - first));
    if (from == to || first == last) return out;
    // The walk moves x and y monotonically, one step at a time, so the squares stamped on one
    // row always join into one span: from the first to the last point whose square meets the
    // row. Recording each walked row's first and last x keeps the work proportional to the
    // line's length plus its width rather than their product.
    size_t walkedRows = size_t(std::abs(to.y - from.y)) + 1;
    std::vector<int32_t> firstX(walkedRows), lastX(walkedRows);
    std::vector<bool> walked(walkedRows, false);
    int32_t dx = std::abs(to.x - from.x), sx = from.x < to.x ? 1 : -1;
    int32_t dy = -std::abs(to.y - from.y), sy = from.y < to.y ? 1 : -1;
    int32_t err = dx + dy;
    int32_t walkTop = std::min(from.y, to.y);
    Point p = from;
    while (p != to) {
        size_t at = size_t(p.y - walkTop);
        if (!walked[at]) firstX[at] = p.x, walked[at] = true;
        lastX[at] = p.x;
        int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
    // Walked rows in walk order, so that the first and last points of a window are its ends.
    std::vector<size_t> order;
    order.reserve(walkedRows);
    for (size_t k = 0; k < walkedRows; ++k) {
        size_t at = sy > 0 ? k : walkedRows - 1 - k;
        if (walked[at]) order.push_back(at);
    }
    // Row r of the result meets the squares of walked rows r - width + 1 .. r (in walk-row
    // units); `begin` and `end` bound that window in `order`, which the rows visit in walk order.
    size_t begin = 0, end = 0;
    for (int64_t k = 0; k < last - first; ++k) {
        int64_t r = sy > 0 ? first + k : last - 1 - k;
        int64_t low = r - width + 1, high = r;
        if (sy > 0) {
            while (end < order.size() && int64_t(order[end]) <= high) ++end;
            while (begin < end && int64_t(order[begin]) < low) ++begin;
        } else {
            while (end < order.size() && int64_t(order[end]) >= low) ++end;
            while (begin < end && int64_t(order[begin]) > high) ++begin;
        }
        if (begin >= end) continue;
        int32_t a = firstX[order[begin]], b = lastX[order[end - 1]];
        out.rows[size_t(r - first)].push_back({std::min(a, b) - lo, std::max(a, b) - lo + width});
    }
    return out;
}

}  // namespace plat::gdi
