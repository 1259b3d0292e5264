#pragma once
// The Colorize effect: a click turns the whole canvas into the picture's brightness in the paint colour.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdColorize = 70;

class RColorize : public RPixelEffectTool {
public:
    RColorize() : RPixelEffectTool(kToolIdColorize, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectColorize(source.At(x, y), Paint()); }
};
