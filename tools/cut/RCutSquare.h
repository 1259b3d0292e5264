#pragma once
// Cuts out the rectangle dragged between the press and the release.
#include "tools/base/RDragTool.h"

class RCutSquare : public RDragTool {
public:
    explicit RCutSquare(CListener* owner);

protected:
    std::vector<Point16> Outline() const override;
    Rect16 DrawBand(ToolCanvas& canvas) override;
    void Commit(ToolCanvas& canvas) override;
};
