#pragma once
// The Burlap effect: a click turns the whole canvas into the picture printed on coarse woven cloth.
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdBurlap = 80;

class RBurlap : public RPixelEffectTool {
public:
    RBurlap() : RPixelEffectTool(kToolIdBurlap, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override;
};
