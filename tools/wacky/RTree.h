#pragma once
// The tree brush: grows a tree from each place it is put down, and along the stroke: a trunk
// and branches in a dark shade of the paint that fork again and again, ending in round tufts
// of leaves in the paint.
#include "tools/brushes/RPathBrush.h"

class RTree : public RPathBrush {
public:
    RTree();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kDepth = 5;
    void Branch(ToolCanvas& canvas, float x, float y, float angle, float length, float width, i32 depth);
};
