#pragma once
// The Bubbles effect: a click turns the whole canvas into the picture under a froth of magnifying bubbles.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdBubbles = 79;

class RBubbles : public RPixelEffectTool {
public:
    RBubbles() : RPixelEffectTool(kToolIdBubbles, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
