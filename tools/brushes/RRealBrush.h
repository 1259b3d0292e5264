#pragma once
// The paint brush: a wet, round brush whose paint covers what is under it fully at first and
// thins as the stroke goes on (the brush runs dry, leaving the picture showing through), with
// faint streaks of its hairs along the stroke and a soft rim. Each pixel takes the most paint
// any dab of the stroke gave it, so going over a place again in one stroke does not darken it.
#include <vector>

#include "tools/brushes/RPathBrush.h"

class RRealBrush : public RPathBrush {
public:
    RRealBrush();

protected:
    void BeginStroke(Point16 p) override;
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    // Per pixel of the picture, the most paint (0-255) this stroke has laid there.
    std::vector<u8> coverage_;
    float travelled_ = 0;
};
