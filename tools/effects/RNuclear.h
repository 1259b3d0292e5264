#pragma once
// The Nuclear effect: a click turns the whole canvas into the picture's negative, glowing.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdNuclear = 66;

class RNuclear : public RPixelEffectTool {
public:
    RNuclear() : RPixelEffectTool(kToolIdNuclear, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectNuclear(source.At(x, y)); }
};
