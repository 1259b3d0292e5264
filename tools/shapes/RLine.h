#pragma once
// A straight line from the press to the release.
#include "tools/base/RDragTool.h"

class RLine : public RDragTool {
public:
    explicit RLine(CListener* owner);

protected:
    std::vector<Point16> Outline() const override;
    bool IsClosed() const override { return false; }
};
