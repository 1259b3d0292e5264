#pragma once
// The Kaleidoscope effect: a click turns the whole canvas into the picture round the click folded into eight mirrored slices.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdKaleidoscope = 86;

class RKaleidoscope : public RPixelEffectTool {
public:
    RKaleidoscope() : RPixelEffectTool(kToolIdKaleidoscope, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
