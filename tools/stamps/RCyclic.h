#pragma once
// The roller: lays the frames of its cycle one after another along the stroke, a frame's
// width apart, starting again from the first at every press. The roller panel loads the
// cycle from the pattern it chose.
#include <vector>

#include "tools/base/PixelTile.h"
#include "tools/base/RStrokeTool.h"

class RCyclic : public RStrokeTool {
public:
    RCyclic();

    // The frames in rolling order; invalid frames are left out.
    void LoadCycle(std::vector<PixelTile> frames);
    size_t FrameCount() const { return frames_.size(); }
    i32 Spacing() const override;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;

private:
    std::vector<PixelTile> frames_;
    size_t next_ = 0;
};
