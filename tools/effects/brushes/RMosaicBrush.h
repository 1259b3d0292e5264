#pragma once
// The mosaic brush: lays what it passes over in square tiles, half the brush wide.
#include <algorithm>

#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdMosaicBrush = 98;

class RMosaicBrush : public RPixelEffectTool {
public:
    RMosaicBrush() : RPixelEffectTool(kToolIdMosaicBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectBlock(source, x, y, std::max<i32>(GetSize() / 2, 2)); }
};
