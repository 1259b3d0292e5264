#pragma once
// The emboss brush: presses what it passes over into grey relief.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdEmbossBrush = 92;

class REmbossBrush : public RPixelEffectTool {
public:
    REmbossBrush() : RPixelEffectTool(kToolIdEmbossBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectEmboss(source, x, y); }
};
