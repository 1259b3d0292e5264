#pragma once
// Cuts out the ellipse dragged between the press and the release.
#include "tools/base/RDragTool.h"

class ROCircleCut : public RDragTool {
public:
    explicit ROCircleCut(CListener* owner);

protected:
    std::vector<Point16> Outline() const override;
    Rect16 DrawBand(ToolCanvas& canvas) override;
    void Commit(ToolCanvas& canvas) override;
};
