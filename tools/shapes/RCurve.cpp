#include "tools/shapes/RCurve.h"

#include <algorithm>

#include "tools/base/DashedPath.h"
#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"

RCurve::RCurve(CListener* owner) : RDragTool(kToolIdCurve, owner) {}

std::vector<Point16> RCurve::Outline() const {
    if (!bending_) return {start_, end_};
    return curvePath(from_, control_, to_);
}

void RCurve::Clean(ToolCanvas& canvas) {
    canvas.Restore(band_);
    band_ = Rect16{0, 0, 0, 0};
    for (i32 y = 0; y < under_.height; ++y)
        for (i32 x = 0; x < under_.width; ++x) canvas.Picture().Put(underRect_.left + x, underRect_.top + y, under_.At(x, y));
    if (!under_.IsValid()) return;
    canvas.MarkChanged(underRect_);
    canvas.Rebase(underRect_);
    under_ = PixelTile{};
}

void RCurve::MouseDown(ToolCanvas& canvas, Point16 p) {
    if (!bending_) {
        RDragTool::MouseDown(canvas, p);
        return;
    }
    Clean(canvas);
    control_ = p;
    band_ = drawDashedPath(canvas, Outline(), false, 0);
}

void RCurve::MouseMove(ToolCanvas& canvas, Point16 p) {
    if (!bending_) {
        RDragTool::MouseMove(canvas, p);
        return;
    }
    Clean(canvas);
    control_ = p;
    band_ = drawDashedPath(canvas, Outline(), false, 0);
}

void RCurve::MouseUp(ToolCanvas& canvas, Point16 p) {
    if (!bending_) {
        // The line stays as a band until it is bent; what lies under it is kept.
        RDragTool::MouseMove(canvas, p);
        from_ = start_;
        to_ = control_ = p;
        const PixelView& before = canvas.Before();
        Rect16 r = pathBounds({from_, to_}, 0);
        underRect_ = Rect16{std::max<i16>(r.left, 0), std::max<i16>(r.top, 0), std::min(r.right, before.width),
                            std::min(r.bottom, before.height)};
        under_ = PixelTile{};
        if (underRect_.left < underRect_.right && underRect_.top < underRect_.bottom) {
            under_.width = i16(underRect_.right - underRect_.left);
            under_.height = i16(underRect_.bottom - underRect_.top);
            for (i32 y = underRect_.top; y < underRect_.bottom; ++y)
                under_.pixels.insert(under_.pixels.end(), before.Row(y) + underRect_.left, before.Row(y) + underRect_.right);
        }
        bending_ = true;
        return;
    }
    Clean(canvas);
    control_ = p;
    bending_ = false;
    if (GetPencil()) GetPencil()->StrokePath(canvas, curvePath(from_, control_, to_), false);
}

void RCurve::Finish(ToolCanvas& canvas) {
    if (!bending_) return;
    Clean(canvas);
    bending_ = false;
    if (GetPencil()) GetPencil()->StrokePath(canvas, {from_, to_}, false);
}

void RCurve::Drop(ToolCanvas& canvas) {
    if (!bending_) return;
    Clean(canvas);
    bending_ = false;
}
