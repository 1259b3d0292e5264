#include "tools/erasers/RPageEraseTool.h"

#include "tools/erasers/PageEraseFactory.h"

RPageEraseTool::RPageEraseTool(i16 index) : RTool(index), effect_(createPageErase(nullptr, index)) {}

void RPageEraseTool::MouseDown(ToolCanvas& canvas, Point16 p) {
    // The tool works in picture coordinates: the effect's canvas sits at the origin. A wipe
    // that runs already does not start again.
    if (!effect_) return;
    if (effect_->Start(canvas.Picture().Bounds(), canvas.Picture()) != kDestructoStarted) return;
    effect_->Trigger(p);
    StepRun(canvas);
}

void RPageEraseTool::StepRun(ToolCanvas& canvas) {
    if (IsRunning()) canvas.MarkChanged(effect_->Step(canvas.Time()));
}

void RPageEraseTool::EndRun(ToolCanvas& canvas) {
    if (IsRunning()) canvas.MarkChanged(effect_->Finish());
}
