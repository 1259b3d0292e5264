#pragma once
// The log brush: rubs a wall of round logs into the picture, each log shaded darker at its top
// and bottom, with streaks of grain along it; the wall is fixed to the picture like the bricks.
#include "tools/brushes/RPathBrush.h"

class RLog : public RPathBrush {
public:
    RLog();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kLogHeight = 14;
};
