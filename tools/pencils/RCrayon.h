#pragma once
// Crayon: waxy round dabs; one pixel in eight of the paper shows through and the wax is a
// little darker or lighter by the grain.
#include "tools/base/RStrokeTool.h"

class RCrayon : public RStrokeTool {
public:
    RCrayon();

protected:
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;
};
