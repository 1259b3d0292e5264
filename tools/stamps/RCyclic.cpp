#include "tools/stamps/RCyclic.h"

#include <algorithm>

#include "tools/base/ToolNames.h"

RCyclic::RCyclic() : RStrokeTool(kToolIdCyclic) {}

void RCyclic::LoadCycle(std::vector<PixelTile> frames) {
    frames_.clear();
    for (PixelTile& frame : frames)
        if (frame.IsValid()) frames_.push_back(std::move(frame));
    next_ = 0;
}

i32 RCyclic::Spacing() const { return frames_.empty() ? 1 : std::max<i32>(1, frames_.front().width); }

void RCyclic::MouseDown(ToolCanvas& canvas, Point16 p) {
    next_ = 0;
    RStrokeTool::MouseDown(canvas, p);
}

void RCyclic::Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion&) {
    if (frames_.empty()) return;
    stampTile(canvas, frames_[next_], p);
    next_ = (next_ + 1) % frames_.size();
}
