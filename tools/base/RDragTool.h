#pragma once
// The base of the tools that are dragged out: the press fixes a start point, every move puts
// the picture back under the last rubber band and draws the band for the new end point, and
// the release takes the band away and commits the shape. The shapes commit with the pencil
// the pencil panel hands them; the cut shapes hand a region to their owner instead.
#include <vector>

#include "framework/messaging/CListener.h"
#include "tools/base/RStrokeTool.h"

class RDragTool : public RTool {
public:
    RDragTool(i16 toolId, CListener* owner);

    void SetPencil(RStrokeTool* pencil) { pencil_ = pencil; }
    RStrokeTool* GetPencil() const { return pencil_; }
    CListener* GetOwner() const { return owner_; }

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseMove(ToolCanvas& canvas, Point16 p) override;
    void MouseUp(ToolCanvas& canvas, Point16 p) override;

    // The shape between the start and end points.
    virtual std::vector<Point16> Outline() const = 0;
    virtual bool IsClosed() const { return true; }
    // Draws the rubber band of the current outline; answers what it touched.
    virtual Rect16 DrawBand(ToolCanvas& canvas);
    // Paints the shape for good: by default the outline with the pencil.
    virtual void Commit(ToolCanvas& canvas);
    // Takes the band away.
    void EraseBand(ToolCanvas& canvas);

    Point16 start_{0, 0};
    Point16 end_{0, 0};

private:
    CListener* owner_;
    RStrokeTool* pencil_ = nullptr;
    Rect16 band_{0, 0, 0, 0};
};
