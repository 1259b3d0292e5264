#pragma once
// The window brush: a window in the dragged box: four panes of pale sky-blue glass with a
// gleam, a frame and crossbars in the paint, and a darker sill below.
#include "tools/wacky/RBuildingPart.h"

class RWindow : public RBuildingPart {
public:
    RWindow();

protected:
    void Build(ToolCanvas& canvas, const Rect16& box) override;
};
