#pragma once
// The XRay effect: a click turns the whole canvas into the picture as an x-ray: a cold blue negative.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdXRay = 65;

class RXRay : public RPixelEffectTool {
public:
    RXRay() : RPixelEffectTool(kToolIdXRay, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectXRay(source.At(x, y)); }
};
