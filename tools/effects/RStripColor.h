#pragma once
// The StripColor effect: a click turns the whole canvas into the picture in greys.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdStripColor = 72;

class RStripColor : public RPixelEffectTool {
public:
    RStripColor() : RPixelEffectTool(kToolIdStripColor, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectGrey(effectLuma(source.At(x, y))); }
};
