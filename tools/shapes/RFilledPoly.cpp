#include "tools/shapes/RFilledPoly.h"

#include "tools/base/ToolNames.h"
#include "tools/shapes/FillShape.h"

RFilledPoly::RFilledPoly(CListener* owner) : ROPoly(kToolIdFilledPoly, owner) {}

void RFilledPoly::Close(ToolCanvas& canvas, const std::vector<Point16>& corners) {
    fillShape(canvas, corners);
    if (GetPencil()) GetPencil()->StrokePath(canvas, corners, true);
}
