#pragma once
// The edge brush: leaves only the outlines of what it passes over.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdEdgeBrush = 93;

class REdgeBrush : public RPixelEffectTool {
public:
    REdgeBrush() : RPixelEffectTool(kToolIdEdgeBrush, EffectReach::Dab) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectEdges(source, x, y); }
};
