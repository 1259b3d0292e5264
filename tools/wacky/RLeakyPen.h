#pragma once
// The leaky pen: a steady ink line that now and then leaks a blot of ink.
#include "tools/brushes/RPathBrush.h"

class RLeakyPen : public RPathBrush {
public:
    RLeakyPen();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr float kLeakChance = 0.02f;
};
