#include "tools/fills/RFill.h"

#include "tools/fills/FloodFill.h"

RFill::RFill(i16 toolId) : RTool(toolId) {}

void RFill::MouseDown(ToolCanvas& canvas, Point16 p) {
    PixelMask area = floodFillArea(canvas.Picture(), p);
    if (area.IsEmpty()) return;
    const Rect16& r = area.Bounds();
    for (i32 y = r.top; y < r.bottom; ++y) {
        u16* row = canvas.Picture().Row(y);
        for (i32 x = r.left; x < r.right; ++x)
            if (area.Test(x, y)) row[x] = FillPixel(canvas, area, x, y);
    }
    canvas.MarkChanged(r);
}

u16 RFill::FillPixel(const ToolCanvas& canvas, const PixelMask&, i32 x, i32 y) const {
    if (!tile_.IsValid()) return canvas.PaintPixel();
    return tile_.At(x % tile_.width, y % tile_.height);
}
