#include "tools/shapes/FillShape.h"

#include "tools/base/PaintShapes.h"

void fillShape(ToolCanvas& canvas, const std::vector<Point16>& path) {
    const u16 pixel = canvas.PaintPixel();
    polygonSpans(path, canvas.Picture().Bounds(), [&](i32 y, i32 x0, i32 x1) { canvas.Picture().FillSpan(y, x0, x1, pixel); });
    canvas.MarkChanged(pathBounds(path, 0));
}
