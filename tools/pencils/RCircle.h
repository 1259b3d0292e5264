#pragma once
// The plain pencil: hard round dabs of the brushes' colour.
#include "tools/base/RStrokeTool.h"

class RCircle : public RStrokeTool {
public:
    RCircle();

protected:
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;
    // The rows of one dab.
    virtual const std::vector<DabSpan>& Spans() const { return RoundSpans(); }
};
