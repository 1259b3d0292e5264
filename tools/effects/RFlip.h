#pragma once
// The Flip effect: a click turns the whole canvas into the picture mirrored left to right.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdFlip = 85;

class RFlip : public RPixelEffectTool {
public:
    RFlip() : RPixelEffectTool(kToolIdFlip, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return source.At(source.width - 1 - x, y); }
};
