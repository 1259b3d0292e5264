#include "tools/cut/ROCircleCut.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"

ROCircleCut::ROCircleCut(CListener* owner) : RDragTool(kToolIdOCircleCut, owner) {}

std::vector<Point16> ROCircleCut::Outline() const { return ellipsePath(start_, end_); }

Rect16 ROCircleCut::DrawBand(ToolCanvas& canvas) { return drawAnts(canvas, Outline(), true); }

void ROCircleCut::Commit(ToolCanvas& canvas) { handCutRegion(GetOwner(), Outline(), canvas.Picture(), CanvasRect()); }
