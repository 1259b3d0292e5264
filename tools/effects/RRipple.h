#pragma once
// The Ripple effect: a click turns the whole canvas into the picture rippled in rings round the click as water is.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdRipple = 78;

class RRipple : public RPixelEffectTool {
public:
    RRipple() : RPixelEffectTool(kToolIdRipple, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
