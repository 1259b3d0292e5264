#pragma once
// The shaped brushes: each lays its shape (a star, a heart, a flat pen, confetti...) along the
// stroke, spaced, coloured and turned as its look says. RCustomBrush1 to RCustomBrush16 are
// this class with their own id and look.
#include "tools/brushes/DabShape.h"
#include "tools/brushes/RPathBrush.h"

class RCustomBrush : public RPathBrush {
public:
    RCustomBrush(i16 toolId, const DabLook& look);
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    DabLook look_;
};
