#pragma once
// The greyscale brush: takes the colour out of what it passes over.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdGreyscaleBrush = 89;

class RGreyscaleBrush : public RPixelEffectTool {
public:
    RGreyscaleBrush() : RPixelEffectTool(kToolIdGreyscaleBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectGrey(effectLuma(source.At(x, y))); }
};
