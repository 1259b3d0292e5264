#include "platform/gdi/Shapes.h"

#include <algorithm>

#include "platform/gdi/Paint.h"
#include "platform/gdi/Scanline.h"

namespace plat::gdi {

namespace {

Rect deflate(const Rect& r, int32_t by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

bool hasPen(const DeviceContext& dc) { return dc.state().pen.style != Pen::Style::Null; }

int32_t penWidth(const DeviceContext& dc) { return std::max(1, dc.widthToDevice(dc.state().pen.width)); }

// The rows drawing can reach; shapes are scanned over these only.
RowWindow drawableRows(const DeviceContext& dc) {
    Rect area = dc.drawableArea().bounds();
    return {area.top, area.bottom};
}

// Outline and interior of one shape, painted once each.
void paintShape(DeviceContext& dc, const Region& outline, const Region& interior) {
    const ContextState& s = dc.state();
    if (!outline.empty()) paintRop2(dc, outline, solidPixels(dc.resolve(s.pen.color)), s.rop2);
    if (!interior.empty() && s.brush.kind != Brush::Kind::Null)
        paintRop2(dc, interior, resolveBrush(dc, s.brush), s.rop2);
}

}  // namespace

void moveTo(DeviceContext& dc, Point to, Point* previous) {
    if (previous) *previous = dc.state().position;
    dc.state().position = to;
}

void lineTo(DeviceContext& dc, Point to) {
    if (hasPen(dc)) {
        Point from = dc.toDevice(dc.state().position);
        Region line = Region::fromRows(scanLine(from, dc.toDevice(to), penWidth(dc), drawableRows(dc)));
        paintRop2(dc, line, solidPixels(dc.resolve(dc.state().pen.color)), dc.state().rop2);
    }
    dc.state().position = to;
}

void rectangle(DeviceContext& dc, const Rect& bounds) {
    Rect r = dc.toDevice(bounds).normalized();
    if (!hasPen(dc)) return paintShape(dc, {}, Region(r));
    Region inner(deflate(r, penWidth(dc)));
    paintShape(dc, Region::combine(Region(r), inner, CombineOp::Diff), inner);
}

void ellipse(DeviceContext& dc, const Rect& bounds) {
    Rect r = dc.toDevice(bounds).normalized();
    Region outer = Region::ellipse(r);
    if (!hasPen(dc)) return paintShape(dc, {}, outer);
    Region inner = Region::ellipse(deflate(r, penWidth(dc)));
    inner = Region::combine(inner, outer, CombineOp::And);
    paintShape(dc, Region::combine(outer, inner, CombineOp::Diff), inner);
}

void polygon(DeviceContext& dc, const std::vector<Point>& points) {
    if (points.size() < 2) return;
    std::vector<Point> device;
    device.reserve(points.size());
    for (const Point& p : points) device.push_back(dc.toDevice(p));
    RowWindow rows = drawableRows(dc);
    Region fill = Region::fromRows(scanPolygon(device, dc.state().polyFillMode, rows));
    Region outline;
    if (hasPen(dc)) {
        // All edges go into one set of rows: merging edge by edge costs the square of their number.
        RowSpans edges{rows.top, std::vector<std::vector<Span>>(size_t(int64_t(rows.bottom) - rows.top))};
        for (size_t i = 0; i < device.size(); ++i) {
            RowSpans edge = scanLine(device[i], device[(i + 1) % device.size()], penWidth(dc), rows);
            for (size_t r = 0; r < edge.rows.size(); ++r) {
                std::vector<Span>& to = edges.rows[size_t(edge.top - rows.top) + r];
                to.insert(to.end(), edge.rows[r].begin(), edge.rows[r].end());
            }
        }
        outline = Region::fromRows(edges);
    }
    paintShape(dc, outline, Region::combine(fill, outline, CombineOp::Diff));
}

void patBlt(DeviceContext& dc, Box area, Rop3 rop) {
    Region r(dc.toDevice(Rect{area.x, area.y, area.x + area.w, area.y + area.h}).normalized());
    paintRop3(dc, r, resolveBrush(dc, dc.state().brush), rop3Index(rop));
}

void fillRegion(DeviceContext& dc, const Region& logical, const Brush& brush) {
    paintRop2(dc, dc.toDevice(logical), resolveBrush(dc, brush), kR2CopyPen);
}

void invertRect(DeviceContext& dc, const Rect& area) {
    paintRop3(dc, Region(dc.toDevice(area).normalized()), {}, rop3Index(kRopDstInvert));
}

ColorRef setPixel(DeviceContext& dc, Point at, ColorRef color) {
    Point d = dc.toDevice(at);
    Surface* s = dc.surface();
    if (!s || !dc.drawableArea().contains(d)) return kColorInvalid;
    uint32_t value = dc.resolve(color);
    s->setPixel(d.x, d.y, value);
    return rgbColor(s->rgbOf(value));
}

ColorRef getPixel(const DeviceContext& dc, Point at) {
    Point d = dc.toDevice(at);
    const Surface* s = dc.surface();
    if (!s || !dc.drawableArea().contains(d)) return kColorInvalid;
    return rgbColor(s->rgbOf(s->pixel(d.x, d.y)));
}

}  // namespace plat::gdi
