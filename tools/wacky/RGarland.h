#pragma once
// The garland brush: a rope that sags between the points it hangs from, with a bead in the
// colours of the rainbow, in turn, at each point.
#include "tools/brushes/RPathBrush.h"

class RGarland : public RPathBrush {
public:
    RGarland();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    Point16 last_{0, 0};
};
