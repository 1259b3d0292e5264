#pragma once
// The Pinch effect: a click turns the whole canvas into the picture pinched in toward the click.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdPinch = 76;

class RPinch : public RPixelEffectTool {
public:
    RPinch() : RPixelEffectTool(kToolIdPinch, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
