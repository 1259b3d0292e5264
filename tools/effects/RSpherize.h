#pragma once
// The Spherize effect: a click turns the whole canvas into the picture bulging out round the click as on a glass ball.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdSpherize = 77;

class RSpherize : public RPixelEffectTool {
public:
    RSpherize() : RPixelEffectTool(kToolIdSpherize, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
