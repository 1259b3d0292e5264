#pragma once
// The base of the tools that lay dabs along the mouse's path: between two events it puts a
// dab every Spacing() pixels, carrying the distance left over into the next step so that
// dabs stay evenly spaced however the events arrive. Each dab knows the stroke's speed (pixels
// per second, from the events' times) and direction; the stroke sound follows them. The shape
// tools commit their outlines through StrokePath.
#include <functional>
#include <vector>

#include "tools/base/PaintShapes.h"
#include "tools/base/RTool.h"

class RStrokeTool : public RTool {
public:
    using RTool::RTool;

    // Dabs along the path as if the mouse had drawn it (no sounds), closed back to its start
    // when asked.
    void StrokePath(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed);
    // Pixels between dab centres; a quarter of the size, at least 1.
    virtual i32 Spacing() const;

protected:
    // One dab centred on p.
    virtual void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) = 0;
    // The pixel the tool paints with: the brushes' colour.
    virtual u16 PaintPixel(const ToolCanvas& canvas) const;

    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    // The release point is the stroke's last point.
    void MouseUp(ToolCanvas& canvas, Point16 p) override { MouseMove(canvas, p); }

    // Dabs from the last point to p (the last point itself was dabbed already).
    void DabTo(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion);
    // The rows of a round dab of the tool's size, made once per size.
    const std::vector<DabSpan>& RoundSpans() const;
    // Paints the dab spans of this tool's size around p with `paint` per pixel.
    void PaintRoundDab(ToolCanvas& canvas, Point16 p, const std::function<u16(i32 x, i32 y, u16 old)>& paint) const;

private:
    Point16 last_{0, 0};
    u32 lastTime_ = 0;
    float carry_ = 0;
    mutable std::vector<DabSpan> spans_;
    mutable i32 spansSize_ = -1;
};
