#pragma once
// The bristle brush: a row of stiff hairs across the stroke, each leaving its own thin streak
// in its own shade of the paint; some hairs are dry and skip, so the stroke shows the
// scratches of a hard brush. The row turns with the stroke.
#include <vector>

#include "tools/brushes/RPathBrush.h"

class RBristleBrush : public RPathBrush {
public:
    RBristleBrush();
    i32 Spacing() const override { return 1; }

protected:
    void BeginStroke(Point16 p) override;
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    struct Hair {
        float offset;
        float shade;
        float radius;
        // Of 256 steps along the stroke, how many the hair paints.
        u32 wetness;
    };
    std::vector<Hair> hairs_;
};
