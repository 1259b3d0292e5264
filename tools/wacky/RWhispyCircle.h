#pragma once
// The wispy-circle brush: thin, see-through rings of changing sizes, a little off the path,
// that pile into a soft, airy trail.
#include "tools/brushes/RPathBrush.h"

class RWhispyCircle : public RPathBrush {
public:
    RWhispyCircle();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;
};
