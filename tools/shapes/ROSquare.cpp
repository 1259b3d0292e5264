#include "tools/shapes/ROSquare.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"

ROSquare::ROSquare(CListener* owner) : RDragTool(kToolIdOSquare, owner) {}

std::vector<Point16> ROSquare::Outline() const { return rectanglePath(start_, end_); }
