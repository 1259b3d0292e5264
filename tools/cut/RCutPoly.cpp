#include "tools/cut/RCutPoly.h"

#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"

RCutPoly::RCutPoly(CListener* owner) : ROPoly(kToolIdCutPoly, owner) {}

Rect16 RCutPoly::DrawBand(ToolCanvas& canvas) {
    std::vector<Point16> sides = Corners();
    sides.push_back(end_);
    return drawAnts(canvas, sides, false);
}

void RCutPoly::Close(ToolCanvas& canvas, const std::vector<Point16>& corners) {
    handCutRegion(GetOwner(), corners, canvas.Picture(), CanvasRect());
}
