#include "tools/shapes/RLine.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"

RLine::RLine(CListener* owner) : RDragTool(kToolIdLine, owner) {}

std::vector<Point16> RLine::Outline() const { return {start_, end_}; }
