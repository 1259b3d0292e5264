#include "tools/cut/RCutFree.h"

#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"

RCutFree::RCutFree(CListener* owner) : RDragTool(kToolIdCutFree, owner) {}

void RCutFree::MouseDown(ToolCanvas& canvas, Point16 p) {
    path_ = {p};
    RDragTool::MouseDown(canvas, p);
}

void RCutFree::MouseMove(ToolCanvas& canvas, Point16 p) {
    if (p.h != path_.back().h || p.v != path_.back().v) path_.push_back(p);
    RDragTool::MouseMove(canvas, p);
}

void RCutFree::MouseUp(ToolCanvas& canvas, Point16 p) {
    if (p.h != path_.back().h || p.v != path_.back().v) path_.push_back(p);
    RDragTool::MouseUp(canvas, p);
}

Rect16 RCutFree::DrawBand(ToolCanvas& canvas) { return drawAnts(canvas, path_, false); }

void RCutFree::Commit(ToolCanvas& canvas) { handCutRegion(GetOwner(), path_, canvas.Picture(), CanvasRect()); }
