#pragma once
// The airbrush: a soft cloud of paint twice the size across, thick in the middle and fading to
// nothing at its rim, laid thinly at every dab so that paint builds up where the brush lingers
// or passes again.
#include "tools/brushes/RPathBrush.h"

class RAirbrush : public RPathBrush {
public:
    RAirbrush();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
