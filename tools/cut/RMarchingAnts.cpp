#include "tools/cut/RMarchingAnts.h"

#include "tools/base/ToolNames.h"

RMarchingAnts::RMarchingAnts() : RTool(kToolIdMarchingAnts) {}

void RMarchingAnts::MouseDown(ToolCanvas& canvas, Point16 p) {
    if (!shape_) return;
    // The shape places its region by the canvas rectangle it was activated on.
    if (!shape_->IsActive()) shape_->Activate(nullptr, -1, CanvasRect());
    pressed_ = shape_;
    shape_->Press(canvas, p);
}

bool RMarchingAnts::StillPressed(ToolCanvas& canvas) {
    if (!pressed_) return false;
    if (pressed_ == shape_) return true;
    // The shape that drew the ants may be gone already: it is not called again.
    pressed_ = nullptr;
    canvas.Restore(canvas.Picture().Bounds());
    return false;
}

void RMarchingAnts::MouseMove(ToolCanvas& canvas, Point16 p) {
    if (StillPressed(canvas)) shape_->Move(canvas, p);
}

void RMarchingAnts::MouseUp(ToolCanvas& canvas, Point16 p) {
    if (StillPressed(canvas)) shape_->Release(canvas, p);
    pressed_ = nullptr;
}

void RMarchingAnts::Finish(ToolCanvas& canvas) {
    if (shape_) shape_->Finish(canvas);
}
