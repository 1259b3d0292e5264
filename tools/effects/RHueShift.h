#pragma once
// The HueShift effect: a click turns the whole canvas into every colour turned on: red to green, green to blue, blue to red.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdHueShift = 71;

class RHueShift : public RPixelEffectTool {
public:
    RHueShift() : RPixelEffectTool(kToolIdHueShift, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectHueShift(source.At(x, y)); }
};
