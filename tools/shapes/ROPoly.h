#pragma once
// A polygon clicked corner by corner: each drag shows a band from the last corner, each
// release adds a corner and draws that side with the pencil. A release within a few pixels of
// the first corner (once there are three) closes the polygon; so does Finish.
#include "tools/base/RDragTool.h"

// How near the first corner a release closes the polygon.
constexpr i32 kPolyCloseDistance = 5;

class ROPoly : public RDragTool {
public:
    explicit ROPoly(CListener* owner);
    void Finish(ToolCanvas& canvas) override;
    // The sides drawn stay; the polygon ends open, and the next press starts a new one.
    void Drop(ToolCanvas&) override { corners_.clear(); }
    const std::vector<Point16>& Corners() const { return corners_; }

protected:
    ROPoly(i16 toolId, CListener* owner) : RDragTool(toolId, owner) {}
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void MouseUp(ToolCanvas& canvas, Point16 p) override;
    std::vector<Point16> Outline() const override;
    bool IsClosed() const override { return false; }
    // The polygon is complete; the outline's last side is drawn already.
    virtual void Close(ToolCanvas& canvas, const std::vector<Point16>& corners);

private:
    std::vector<Point16> corners_;
};
