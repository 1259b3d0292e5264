#include "tools/base/RDragTool.h"

#include "tools/base/DashedPath.h"

RDragTool::RDragTool(i16 toolId, CListener* owner) : RTool(toolId), owner_(owner) {}

void RDragTool::MouseDown(ToolCanvas& canvas, Point16 p) {
    start_ = end_ = p;
    band_ = DrawBand(canvas);
}

void RDragTool::MouseMove(ToolCanvas& canvas, Point16 p) {
    EraseBand(canvas);
    end_ = p;
    band_ = DrawBand(canvas);
}

void RDragTool::MouseUp(ToolCanvas& canvas, Point16 p) {
    EraseBand(canvas);
    end_ = p;
    Commit(canvas);
}

void RDragTool::EraseBand(ToolCanvas& canvas) {
    canvas.Restore(band_);
    band_ = Rect16{0, 0, 0, 0};
}

Rect16 RDragTool::DrawBand(ToolCanvas& canvas) { return drawDashedPath(canvas, Outline(), IsClosed(), 0); }

void RDragTool::Commit(ToolCanvas& canvas) {
    if (pencil_) pencil_->StrokePath(canvas, Outline(), IsClosed());
}
