#pragma once
// The Pointilize effect: a click turns the whole canvas into the picture painted in round dots of its colours on white paper.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdPointilize = 73;

class RPointilize : public RPixelEffectTool {
public:
    RPointilize() : RPixelEffectTool(kToolIdPointilize, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
