#include "tools/base/DashedPath.h"

#include "tools/base/PaintShapes.h"

Rect16 drawDashedPath(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed, i32 phase) {
    if (path.empty()) return Rect16{0, 0, 0, 0};
    i32 step = phase;
    auto segment = [&](Point16 a, Point16 b) {
        for (Point16 p : linePixels(a, b)) {
            bool dark = ((step++ / kDashLength) & 1) == 0;
            canvas.Picture().Put(p.h, p.v, dark ? kRgb555Black : kRgb555White);
        }
    };
    segment(path.front(), path.front());
    for (size_t i = 1; i < path.size(); ++i) segment(path[i - 1], path[i]);
    if (closed) segment(path.back(), path.front());
    Rect16 touched = pathBounds(path, 0);
    canvas.MarkChanged(touched);
    return touched;
}
