#pragma once
// The hands-free brushes: shaped brushes that paint wherever the mouse goes over the canvas,
// with no button held (the tool manager hands them the moves as strokes); a press and drag
// paints as well. RTouchless1 to RTouchless10 are this class with their own id and look.
#include "tools/brushes/DabShape.h"
#include "tools/brushes/RPathBrush.h"

class RTouchless : public RPathBrush {
public:
    RTouchless(i16 toolId, const DabLook& look);
    bool PaintsOnHover() const override { return true; }
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    DabLook look_;
};
