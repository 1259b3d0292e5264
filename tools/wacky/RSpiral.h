#pragma once
// The spiral brush: along the stroke it draws snail-shell spirals, three turns each, every
// one started at another angle.
#include "tools/brushes/RPathBrush.h"

class RSpiral : public RPathBrush {
public:
    RSpiral();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kSteps = 90;
    static constexpr float kTurns = 3;
    static constexpr float kPi = std::numbers::pi_v<float>;
};
