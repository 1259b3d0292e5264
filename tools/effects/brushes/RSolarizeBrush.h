#pragma once
// The solarize brush: turns over the bright colours it passes over.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdSolarizeBrush = 95;

class RSolarizeBrush : public RPixelEffectTool {
public:
    RSolarizeBrush() : RPixelEffectTool(kToolIdSolarizeBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectSolarize(source.At(x, y)); }
};
