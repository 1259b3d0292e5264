#pragma once
// The spray can: each dab scatters as many dots as the size across a disc of that diameter.
// The scatter comes from a generator started afresh at every press, so a stroke sprays the
// same way each time it is replayed.
#include <random>

#include "tools/base/RStrokeTool.h"

class RSprayGun : public RStrokeTool {
public:
    RSprayGun();
    i32 Spacing() const override;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;

private:
    std::minstd_rand random_;
};
