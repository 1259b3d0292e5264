#include "tools/shapes/RFilledCircle.h"

#include "tools/base/ToolNames.h"
#include "tools/shapes/FillShape.h"

RFilledCircle::RFilledCircle(CListener* owner) : ROCircle(kToolIdFilledCircle, owner) {}

void RFilledCircle::Commit(ToolCanvas& canvas) {
    fillShape(canvas, Outline());
    ROCircle::Commit(canvas);
}
