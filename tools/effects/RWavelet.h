#pragma once
// The Wavelet effect: a click turns the whole canvas into the picture waving like a flag.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdWavelet = 83;

class RWavelet : public RPixelEffectTool {
public:
    RWavelet() : RPixelEffectTool(kToolIdWavelet, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
