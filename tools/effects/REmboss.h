#pragma once
// The Emboss effect: a click turns the whole canvas into the picture pressed into grey paper, lit from the top left.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdEmboss = 67;

class REmboss : public RPixelEffectTool {
public:
    REmboss() : RPixelEffectTool(kToolIdEmboss, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectEmboss(source, x, y); }
};
