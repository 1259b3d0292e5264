#include "tools/base/RStrokeTool.h"

#include <algorithm>
#include <cmath>

#include "tools/base/PaintShapes.h"

namespace {
constexpr float kMsPerSecond = 1000.0f;
}

i32 RStrokeTool::Spacing() const { return std::max<i32>(1, GetSize() / 4); }

u16 RStrokeTool::PaintPixel(const ToolCanvas& canvas) const { return canvas.PaintPixel(); }

void RStrokeTool::MouseDown(ToolCanvas& canvas, Point16 p) {
    last_ = p;
    lastTime_ = canvas.Time();
    carry_ = 0;
    Dab(canvas, p, StrokeMotion{});
}

void RStrokeTool::MouseMove(ToolCanvas& canvas, Point16 p) {
    const float dx = float(p.h - last_.h), dy = float(p.v - last_.v);
    const u32 elapsed = canvas.Time() - lastTime_;
    const float length = std::hypot(dx, dy);
    // Two events in the same millisecond count as one millisecond apart.
    StrokeMotion motion{length * kMsPerSecond / float(std::max<u32>(elapsed, 1)), dx, dy};
    Sounds().Stroke(motion, canvas.SoundsOn());
    DabTo(canvas, p, motion);
    lastTime_ = canvas.Time();
}

void RStrokeTool::DabTo(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) {
    const float dx = float(p.h - last_.h), dy = float(p.v - last_.v);
    const float length = std::hypot(dx, dy);
    if (length == 0) return;
    const float spacing = float(Spacing());
    float at = spacing - carry_;
    for (; at <= length; at += spacing) {
        Point16 dab{i16(std::lround(last_.h + dx * at / length)), i16(std::lround(last_.v + dy * at / length))};
        Dab(canvas, dab, motion);
    }
    carry_ = length - (at - spacing);
    last_ = p;
}

void RStrokeTool::StrokePath(ToolCanvas& canvas, const std::vector<Point16>& path, bool closed) {
    if (path.empty()) return;
    last_ = path.front();
    carry_ = 0;
    Dab(canvas, path.front(), StrokeMotion{});
    for (size_t i = 1; i < path.size(); ++i)
        DabTo(canvas, path[i], StrokeMotion{0, float(path[i].h - path[i - 1].h), float(path[i].v - path[i - 1].v)});
    if (closed) DabTo(canvas, path.front(), StrokeMotion{});
}

const std::vector<DabSpan>& RStrokeTool::RoundSpans() const {
    if (spansSize_ != GetSize()) {
        spans_ = roundDabSpans(GetSize());
        spansSize_ = GetSize();
    }
    return spans_;
}

void RStrokeTool::PaintRoundDab(ToolCanvas& canvas, Point16 p, const std::function<u16(i32, i32, u16)>& paint) const {
    const PixelView& picture = canvas.Picture();
    for (const DabSpan& span : RoundSpans()) {
        i32 y = p.v + span.dy;
        if (y < 0 || y >= picture.height) continue;
        u16* row = picture.Row(y);
        for (i32 x = std::max(p.h + span.x0, 0); x < std::min<i32>(p.h + span.x1, picture.width); ++x)
            row[x] = paint(x, y, row[x]);
    }
    canvas.MarkChanged(dabBounds(p, GetSize()));
}
