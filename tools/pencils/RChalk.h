#pragma once
// Chalk: round dabs that skip the paper's low places, a third of the pixels, the same ones
// at every pass, so the chalk stays grainy however long it is rubbed.
#include "tools/base/RStrokeTool.h"

class RChalk : public RStrokeTool {
public:
    RChalk();

protected:
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;
};
