#pragma once
// The Whirl effect: a click turns the whole canvas into the picture swirled round the click as down a plughole.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdWhirl = 81;

class RWhirl : public RPixelEffectTool {
public:
    RWhirl() : RPixelEffectTool(kToolIdWhirl, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
