#include "tools/stamps/RCyclic.h"

#include <algorithm>

#include "engine/gfx/sprites/SprShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/base/ToolPicture.h"

RCyclic::RCyclic() : RStrokeTool(kToolIdCyclic), slot_(kSprNoSlot) {}

void RCyclic::SetShapeGroup(u16 slot, u16 flag, u16 groupId) {
    slot_ = slot;
    flag_ = flag;
    groupId_ = groupId;
}

void RCyclic::LoadCycle() {
    frames_ = flag_ ? loadGroupTiles(slot_) : std::vector<PixelTile>{};
    next_ = 0;
}

void RCyclic::FindShapeGroup() {
    if (!flag_) return;
    slot_ = sprFindGroup(groupId_);
    LoadCycle();
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
