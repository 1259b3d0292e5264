#include "panels/eraser/RPageEraseTool.h"

namespace Ostrel {

RPageEraseTool::RPageEraseTool(std::unique_ptr<RDestructo> effect)
    : RTool(effect != nullptr ? effect->GetIndex() : i16(-1)), effect_(std::move(effect)) {}

void RPageEraseTool::MouseDown(ToolCanvas& canvas, Point16 p) {
    if (effect_ == nullptr || effect_->IsBusy()) return;
    const Rect16& rect = CanvasRect();
    if (effect_->Start(rect, canvas.Picture()) != kDestructoStarted) return;
    effect_->Trigger(Point16{i16(p.h + rect.left), i16(p.v + rect.top)});
    // Every effect ends after its count of frames.
    while (effect_->IsBusy()) canvas.MarkChanged(effect_->Step());
}

}  // namespace Ostrel
