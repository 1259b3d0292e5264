#pragma once
// The cut mode's tool: it passes each stroke to the cut shape the cut and move panel chose,
// which shows its outline as marching ants and hands its region to the panel. Without a cut
// shape a stroke does nothing. A shape handed over while a stroke runs takes the next stroke:
// the running one ends at once, its ants taken away.
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
    // Whether the stroke's press went to the current shape; if not, puts the picture back as
    // the stroke found it (the ants paint nothing for good).
    bool StillPressed(ToolCanvas& canvas);

    RDragTool* shape_ = nullptr;
    // The shape the running stroke's press went to; null between strokes.
    RDragTool* pressed_ = nullptr;
};
