#include "tools/shapes/ROCircle.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"

ROCircle::ROCircle(CListener* owner) : RDragTool(kToolIdOCircle, owner) {}

std::vector<Point16> ROCircle::Outline() const { return ellipsePath(start_, end_); }
