#pragma once
// Chains the pieces of one fill's outline into contours for the tessellator. A piece is a run
// of points along edges that have the fill on one side; pieces meet end to end (either way
// round) and a chain whose ends meet is closed. A point equal to the one before is dropped.
// Points live in one array per contour set, not one allocation each.
#include <vector>

#include "media/swf/SwfTypes.h"

#include "platform/gl/GlTessellator.h"

namespace swf::draw {

class ContourBuilder {
public:
    void StartPiece(i32 x, i32 y);
    void AddPoint(i32 x, i32 y);
    // Joins the pieces; contour c of the result runs over points [ends[c - 1], ends[c]).
    // Chains that never close are handed over as they stand (the tessellator closes them);
    // runs of fewer than three points enclose nothing and are left out.
    void Build(std::vector<plat::gl::TessPoint>& points, std::vector<u32>& ends);
    bool Empty() const { return pieces_.empty(); }

private:
    using Piece = std::vector<plat::gl::TessPoint>;
    std::vector<Piece> pieces_;
};

}  // namespace swf::draw
