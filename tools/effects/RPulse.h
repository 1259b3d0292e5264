#pragma once
// The Pulse effect: a click turns the whole canvas into the picture with rings of light and shade spreading from the click.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdPulse = 82;

class RPulse : public RPixelEffectTool {
public:
    RPulse() : RPixelEffectTool(kToolIdPulse, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
