#include "tools/effects/RPixelEffectTool.h"

#include <algorithm>

void RPixelEffectTool::RunOverRect(ToolCanvas& canvas, const Rect16& r) {
    const PixelView& out = canvas.Picture();
    i32 left = std::max<i32>(r.left, 0), right = std::min<i32>(r.right, out.width);
    for (i32 y = std::max<i32>(r.top, 0); y < std::min<i32>(r.bottom, out.height); ++y)
        for (i32 x = left; x < right; ++x) out.Row(y)[x] = Kernel(canvas.Before(), x, y);
    canvas.MarkChanged(r);
}

void RPixelEffectTool::RunOverMask(ToolCanvas& canvas, const PixelMask& mask) {
    const Rect16& r = mask.Bounds();
    for (i32 y = r.top; y < r.bottom; ++y)
        for (i32 x = r.left; x < r.right; ++x)
            if (mask.Test(x, y) && canvas.Picture().Contains(x, y)) canvas.Picture().Row(y)[x] = Kernel(canvas.Before(), x, y);
    canvas.MarkChanged(r);
}

void RPixelEffectTool::MouseDown(ToolCanvas& canvas, Point16 p) {
    origin_ = p;
    paint_ = canvas.PaintPixel();
    if (reach_ == EffectReach::Canvas) RunOverRect(canvas, canvas.Picture().Bounds());
    else RStrokeTool::MouseDown(canvas, p);
}

void RPixelEffectTool::MouseMove(ToolCanvas& canvas, Point16 p) {
    if (reach_ == EffectReach::Dab) RStrokeTool::MouseMove(canvas, p);
}

void RPixelEffectTool::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    PaintRoundDab(canvas, p, [&](i32 x, i32 y, u16) { return Kernel(canvas.Before(), x, y); });
}
