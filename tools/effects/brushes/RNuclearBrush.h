#pragma once
// The nuclear brush: makes what it passes over glow.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdNuclearBrush = 94;

class RNuclearBrush : public RPixelEffectTool {
public:
    RNuclearBrush() : RPixelEffectTool(kToolIdNuclearBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectNuclear(source.At(x, y)); }
};
