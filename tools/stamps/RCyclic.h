#pragma once
// The roller: lays the frames of its shape group one after another along the stroke, a
// frame's width apart, starting again from the first at every press. The roller panel loads
// the group it chose into the sprite layer, gives the tool the group's slot, the flag 1 and
// the group's id, and has it load its cycle. The frames are copied at loading: a group that
// moves to another slot or is released never has the roller lay another group's frames.
#include <vector>

#include "tools/base/PixelTile.h"
#include "tools/base/RStrokeTool.h"

class RCyclic : public RStrokeTool {
public:
    RCyclic();

    // The flag is non-zero while the tool follows a group.
    void SetShapeGroup(u16 slot, u16 flag, u16 groupId);
    // Takes the frames of the group in the slot as the cycle, in frame order; frames that
    // cannot be read are left out. Without the flag the cycle is empty.
    void LoadCycle();
    // Groups move down the slots as others are released: looks the group up by its id again
    // and loads the cycle from where it is now (none when it is no longer loaded).
    void FindShapeGroup();

    u16 GetSlot() const { return slot_; }
    u16 GetGroupId() const { return groupId_; }
    size_t FrameCount() const { return frames_.size(); }
    i32 Spacing() const override;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;

private:
    u16 slot_;
    u16 flag_ = 0;
    u16 groupId_ = 0;
    std::vector<PixelTile> frames_;
    size_t next_ = 0;
};
