#include "tools/cut/RCutSquare.h"

#include "tools/base/PaintShapes.h"
#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"

RCutSquare::RCutSquare(CListener* owner) : RDragTool(kToolIdCutSquare, owner) {}

std::vector<Point16> RCutSquare::Outline() const { return rectanglePath(start_, end_); }

Rect16 RCutSquare::DrawBand(ToolCanvas& canvas) { return drawAnts(canvas, Outline(), true); }

void RCutSquare::Commit(ToolCanvas& canvas) { handCutRegion(GetOwner(), Outline(), canvas.Picture(), CanvasRect()); }
