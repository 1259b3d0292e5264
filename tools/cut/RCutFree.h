#pragma once
// Cuts out a shape drawn freehand: the path the mouse takes, closed back to where it began.
#include "tools/base/RDragTool.h"

class RCutFree : public RDragTool {
public:
    explicit RCutFree(CListener* owner);

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    void MouseUp(ToolCanvas& canvas, Point16 p) override;
    std::vector<Point16> Outline() const override { return path_; }
    Rect16 DrawBand(ToolCanvas& canvas) override;
    void Commit(ToolCanvas& canvas) override;

private:
    std::vector<Point16> path_;
};
