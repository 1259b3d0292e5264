#pragma once
// The extrusion brush: paints a round tube that stands out of the picture, lit from the top
// left: bright on its upper side with a white gleam, dark on its lower side. Each dab is a
// shaded ball laid over the last, so the tube follows the stroke.
#include "tools/brushes/RPathBrush.h"

class RExtrusionBrush : public RPathBrush {
public:
    RExtrusionBrush();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
