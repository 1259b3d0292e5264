#pragma once
// A rectangle's outline between the press and the release.
#include "tools/base/RDragTool.h"

class ROSquare : public RDragTool {
public:
    explicit ROSquare(CListener* owner);

protected:
    // The filled variant's id.
    ROSquare(i16 toolId, CListener* owner) : RDragTool(toolId, owner) {}
    std::vector<Point16> Outline() const override;
};
