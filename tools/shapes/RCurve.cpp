#include "tools/shapes/RCurve.h"

#include <algorithm>

#include "tools/base/DashedPath.h"
#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"

namespace {

// The pixels of a rectangle inside the picture; an empty tile for an empty rectangle.
PixelTile copyRect(const PixelView& picture, const Rect16& r) {
    PixelTile tile;
    if (r.left >= r.right || r.top >= r.bottom) return tile;
    tile.width = i16(r.right - r.left);
    tile.height = i16(r.bottom - r.top);
    for (i32 y = r.top; y < r.bottom; ++y) tile.pixels.insert(tile.pixels.end(), picture.Row(y) + r.left, picture.Row(y) + r.right);
    return tile;
}

}  // namespace

RCurve::RCurve(CListener* owner) : RDragTool(kToolIdCurve, owner) {}

std::vector<Point16> RCurve::Outline() const {
    if (!bending_) return {start_, end_};
    return curvePath(from_, control_, to_);
}

void RCurve::Clean(ToolCanvas& canvas) {
    canvas.Restore(band_);
    band_ = Rect16{0, 0, 0, 0};
    LiftBand(canvas);
}

void RCurve::LiftBand(ToolCanvas& canvas) {
    if (!under_.IsValid()) return;
    // Only over the band as it was laid: a picture changed since (wiped, undone) keeps its new
    // pixels.
    if (copyRect(canvas.Picture(), underRect_).pixels == banded_.pixels) {
        for (i32 y = 0; y < under_.height; ++y)
            for (i32 x = 0; x < under_.width; ++x) canvas.Picture().Put(underRect_.left + x, underRect_.top + y, under_.At(x, y));
        canvas.MarkChanged(underRect_);
        canvas.Rebase(underRect_);
    }
    under_ = banded_ = PixelTile{};
}

bool RCurve::Follow(ToolCanvas& canvas, Point16 p) {
    if (!bending_) return false;
    LiftBand(canvas);
    control_ = p;
    const std::vector<Point16> outline = Outline();
    const Rect16 r = pathBounds(outline, 0);
    const PixelView& picture = canvas.Picture();
    underRect_ = Rect16{std::max<i16>(r.left, 0), std::max<i16>(r.top, 0), std::min(r.right, picture.width),
                        std::min(r.bottom, picture.height)};
    under_ = copyRect(picture, underRect_);
    drawDashedPath(canvas, outline, false, 0);
    banded_ = copyRect(picture, underRect_);
    return true;
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
        under_ = copyRect(before, underRect_);
        banded_ = copyRect(canvas.Picture(), underRect_);
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
