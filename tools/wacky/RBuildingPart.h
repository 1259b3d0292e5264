#pragma once
// The base of the wacky brushes that build a part of a house (a window, a door, a roof) in the
// box the child drags out: a dashed box while dragging, the part painted at the release.
#include "tools/base/RDragTool.h"

class RBuildingPart : public RDragTool {
public:
    explicit RBuildingPart(i16 toolId) : RDragTool(toolId, nullptr) {}

protected:
    std::vector<Point16> Outline() const override;
    void Commit(ToolCanvas& canvas) override;
    // Paints the part in the box (left < right, top < bottom); the box is at least 4 pixels
    // each way, a smaller drag builds nothing.
    virtual void Build(ToolCanvas& canvas, const Rect16& box) = 0;
    Rect16 Box() const;
};
