#pragma once
// The splat brush: big splats of paint with ragged edges and droplets thrown round them, one
// where the stroke starts and more along it.
#include "tools/brushes/RPathBrush.h"

class RSplat : public RPathBrush {
public:
    RSplat();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kRimPoints = 64;
    static constexpr i32 kDroplets = 8;
};
