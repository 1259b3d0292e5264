#pragma once
// The Posterize effect: a click turns the whole canvas into the picture in few, flat colours.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdPosterize = 74;

class RPosterize : public RPixelEffectTool {
public:
    RPosterize() : RPixelEffectTool(kToolIdPosterize, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectPosterize(source.At(x, y)); }
};
