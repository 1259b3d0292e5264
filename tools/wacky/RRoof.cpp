#include "tools/wacky/RRoof.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/brushes/BrushPaint.h"

namespace {
constexpr i32 kShingleRow = 6;
constexpr i32 kShingleWidth = 10;
}  // namespace

RRoof::RRoof() : RBuildingPart(kToolIdRoof) {}

std::vector<Point16> RRoof::Triangle(const Rect16& b) {
    return {Point16{i16((b.left + b.right) / 2), b.top}, Point16{i16(b.right - 1), i16(b.bottom - 1)}, Point16{b.left, i16(b.bottom - 1)}};
}

std::vector<Point16> RRoof::Outline() const { return Triangle(Box()); }

void RRoof::Build(ToolCanvas& canvas, const Rect16& box) {
    const u16 paint = canvas.PaintPixel(), line = shadePixel(paint, -0.45f);
    const std::vector<Point16> triangle = Triangle(box);
    const PixelView& picture = canvas.Picture();
    polygonSpans(triangle, picture.Bounds(), [&](i32 y, i32 x0, i32 x1) {
        const i32 row = (y - box.top) / kShingleRow, within = (y - box.top) % kShingleRow;
        const i32 offset = (row & 1) * kShingleWidth / 2;
        for (i32 x = x0; x < x1; ++x) {
            const bool edge = within == kShingleRow - 1 || (x - box.left + offset) % kShingleWidth == 0;
            picture.Row(y)[x] = edge ? line : paint;
        }
    });
    paintPolyline(canvas, triangle, true, 2, line);
    canvas.MarkChanged(box);
}
