#pragma once
// The Solarize effect: a click turns the whole canvas into the bright colours turned over, as a photograph caught by light.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdSolarize = 75;

class RSolarize : public RPixelEffectTool {
public:
    RSolarize() : RPixelEffectTool(kToolIdSolarize, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectSolarize(source.At(x, y)); }
};
