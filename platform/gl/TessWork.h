#pragma once
// What an outline would cost GLU's tessellator, measured before GLU sees it. GLU sweeps the
// plane keeping the edges that span its sweep line in a list it searches from the start, and
// makes a vertex wherever two edges meet: an outline whose edges mostly overlap one another
// along x, or cross one another many times, costs it time far beyond its size (a star of a few
// hundred crossing edges takes seconds). The same sweep here counts that work and stops as soon
// as a limit is passed, so measuring a hostile outline costs no more than the limits allow.
#include <cstdint>
#include <vector>

#include "platform/gl/GlTessellator.h"

namespace plat::gl {

// Contours are walked as Tessellator::run walks them: contour c over points [ends[c - 1],
// ends[c]), closed back to its first point, the walk ending at an end out of order or past the
// points. None when the outline stays within every limit, else the first limit passed.
TessFailure tessWorkExcess(const std::vector<TessPoint>& points, const std::vector<uint32_t>& ends,
                           const TessLimits& limits);

}  // namespace plat::gl
