#pragma once
// The marker: translucent ink, half the brushes' colour over what was there when the stroke
// began, so a stroke crossing itself does not darken but a second stroke does.
#include "tools/base/RStrokeTool.h"

class RMarker : public RStrokeTool {
public:
    RMarker();

protected:
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;
};
