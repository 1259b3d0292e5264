#pragma once
// The union written the slow, obvious way, as the check for the engine's: every piece is
// scanned from the first rectangle and every change moves the rest of the list at once. It
// works on a plain copy of a region's fields, so any list, damaged ones included, can be
// run through both and the results compared field by field.
#include <vector>

#include "engine/regions/Regions.h"

struct RegionModel {
    Rect16 bounds{};
    u16 capacity = kRgnSlotGrowth;
    std::vector<Rect16> rects;
};

// Adds each non-empty rectangle in order, as rgnUnion adds a source region's. A rectangle
// that needs a 64th pending piece, or more than 64 changes per rectangle held (plus 64 × 64,
// which only a damaged list asks for), is taken back and ends the run; the slots shrink at
// the end.
EngineErr regionModelUnion(RegionModel& region, const std::vector<Rect16>& added);
