#pragma once
// The colorize brush: tints what it passes over in the paint colour.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdColorizeBrush = 90;

class RColorizeBrush : public RPixelEffectTool {
public:
    RColorizeBrush() : RPixelEffectTool(kToolIdColorizeBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectColorize(source.At(x, y), Paint()); }
};
