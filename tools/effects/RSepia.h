#pragma once
// The Sepia effect: a click turns the whole canvas into the picture as an old brown photograph.
#include "tools/effects/EffectPixels.h"
#include "tools/effects/RPixelEffectTool.h"

constexpr i16 kToolIdSepia = 69;

class RSepia : public RPixelEffectTool {
public:
    RSepia() : RPixelEffectTool(kToolIdSepia, EffectReach::Canvas) {}

protected:
    u16 Kernel(const PixelView& source, i32 x, i32 y) const override { return effectSepia(source.At(x, y)); }
};
