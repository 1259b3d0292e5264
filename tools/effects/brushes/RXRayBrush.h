#pragma once
// The xray brush: shows what it passes over as an x-ray.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdXRayBrush = 91;

class RXRayBrush : public RPixelEffectTool {
public:
    RXRayBrush() : RPixelEffectTool(kToolIdXRayBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectXRay(source.At(x, y)); }
};
