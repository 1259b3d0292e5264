#pragma once
// The hueshift brush: turns the colours it passes over: red to green, green to blue, blue to red.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdHueShiftBrush = 96;

class RHueShiftBrush : public RPixelEffectTool {
public:
    RHueShiftBrush() : RPixelEffectTool(kToolIdHueShiftBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectHueShift(source.At(x, y)); }
};
