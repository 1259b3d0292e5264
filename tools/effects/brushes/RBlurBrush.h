#pragma once
// The blur brush: softens what it passes over.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdBlurBrush = 88;

class RBlurBrush : public RPixelEffectTool {
public:
    RBlurBrush() : RPixelEffectTool(kToolIdBlurBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectBlur(source, x, y); }
};
