#pragma once
// The tree brush: grows a tree from each place it is put down, and along the stroke: a trunk
// and branches in a dark shade of the paint that fork again and again, ending in round tufts
// of leaves in the paint. Drawn with OpenGL (the branches as tapering rods, the tufts as
// balls); painted flat in software where no GL context can be made.
#include <vector>

#include "tools/brushes/RPathBrush.h"

class GlDab;

class RTree : public RPathBrush {
public:
    RTree();
    i32 Spacing() const override;

protected:
    void LayDab(ToolCanvas& canvas, Point16 p) override;

private:
    static constexpr i32 kDepth = 5;
    // A branch from (x, y) to its end, or (tuft) a round tuft of the radius at its end.
    struct Part {
        float x, y, endX, endY, width, radius;
        bool tuft;
    };
    void Grow(std::vector<Part>& parts, float x, float y, float angle, float length, float width, i32 depth);
    static void Solid(GlDab& dab, const std::vector<Part>& parts, u16 leaves, u16 wood);
    static void Flat(ToolCanvas& canvas, const std::vector<Part>& parts, u16 leaves, u16 wood);
};
