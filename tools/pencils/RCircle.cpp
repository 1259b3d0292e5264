#include "tools/pencils/RCircle.h"

#include "tools/base/ToolNames.h"

RCircle::RCircle() : RStrokeTool(kToolIdCircle) {}

void RCircle::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    const u16 pixel = PaintPixel(canvas);
    for (const DabSpan& span : Spans()) canvas.Picture().FillSpan(p.v + span.dy, p.h + span.x0, p.h + span.x1, pixel);
    canvas.MarkChanged(dabBounds(p, GetSize()));
}
