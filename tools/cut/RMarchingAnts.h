#pragma once
// The cut mode's tool: it passes each stroke to the cut shape the cut and move panel chose,
// which shows its outline as marching ants and hands its region to the panel. Without a cut
// shape a stroke does nothing.
#include "tools/base/RDragTool.h"

class RMarchingAnts : public RTool {
public:
    RMarchingAnts();

    // Not owned; the panel keeps it and replaces it.
    void SetCutShape(RDragTool* shape) { shape_ = shape; }
    RDragTool* GetCutShape() const { return shape_; }
    void Finish(ToolCanvas& canvas) override;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    void MouseUp(ToolCanvas& canvas, Point16 p) override;

private:
    RDragTool* shape_ = nullptr;
};
