#pragma once
// The Lighten effect: a click turns the whole canvas into the picture a third of the way to white.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdLighten = 68;

class RLighten : public RPixelEffectTool {
public:
    RLighten() : RPixelEffectTool(kToolIdLighten, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectLighten(source.At(x, y)); }
};
