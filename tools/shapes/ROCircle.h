#pragma once
// An ellipse's outline inside the rectangle between the press and the release; the cut and
// eraser panels build it too.
#include "tools/base/RDragTool.h"

class ROCircle : public RDragTool {
public:
    explicit ROCircle(CListener* owner);

protected:
    // The filled variant's id.
    ROCircle(i16 toolId, CListener* owner) : RDragTool(toolId, owner) {}
    std::vector<Point16> Outline() const override;
};
