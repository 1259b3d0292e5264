#pragma once
// The particle brush: sparks fly out from the path in every direction, each a bright dot at
// the end of a fading trail, in shades of the paint.
#include "tools/brushes/RPathBrush.h"

class RParticle : public RPathBrush {
public:
    RParticle();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kSparks = 5;
};
