#include "tools/cut/RMarchingAnts.h"

#include "tools/base/ToolNames.h"

RMarchingAnts::RMarchingAnts() : RTool(kToolIdMarchingAnts) {}

void RMarchingAnts::MouseDown(ToolCanvas& canvas, Point16 p) {
    if (!shape_) return;
    // The shape places its region by the canvas rectangle it was activated on.
    if (!shape_->IsActive()) shape_->Activate(nullptr, -1, CanvasRect());
    shape_->Press(canvas, p);
}

void RMarchingAnts::MouseMove(ToolCanvas& canvas, Point16 p) {
    if (shape_) shape_->Move(canvas, p);
}

void RMarchingAnts::MouseUp(ToolCanvas& canvas, Point16 p) {
    if (shape_) shape_->Release(canvas, p);
}

void RMarchingAnts::Finish(ToolCanvas& canvas) {
    if (shape_) shape_->Finish(canvas);
}
