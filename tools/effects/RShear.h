#pragma once
// The Shear effect: a click turns the whole canvas into the picture slanted like a leaning stack of cards, each row slid round.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdShear = 84;

class RShear : public RPixelEffectTool {
public:
    RShear() : RPixelEffectTool(kToolIdShear, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
