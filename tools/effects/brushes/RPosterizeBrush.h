#pragma once
// The posterize brush: paints what it passes over in few, flat colours.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdPosterizeBrush = 97;

class RPosterizeBrush : public RPixelEffectTool {
public:
    RPosterizeBrush() : RPixelEffectTool(kToolIdPosterizeBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectPosterize(source.At(x, y)); }
};
