#include "tools/shapes/RFilledSquare.h"

#include "tools/base/ToolNames.h"
#include "tools/shapes/FillShape.h"

RFilledSquare::RFilledSquare(CListener* owner) : ROSquare(kToolIdFilledSquare, owner) {}

void RFilledSquare::Commit(ToolCanvas& canvas) {
    fillShape(canvas, Outline());
    ROSquare::Commit(canvas);
}
