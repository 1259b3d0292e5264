#pragma once
// The smear brush: drags the colours under it along the stroke, as a finger through wet paint.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdSmearBrush = 87;

class RSmearBrush : public RPixelEffectTool {
public:
    RSmearBrush() : RPixelEffectTool(kToolIdSmearBrush, EffectReach::Dab) {}

protected:
    // A still brush changes nothing.
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return source.At(x, y); }
    // Each pixel under the dab mixes with the picture as it is now a third of the brush behind.
    void Dab(ToolCanvas& canvas, Point16 p, const StrokeMotion& motion) override;
};
