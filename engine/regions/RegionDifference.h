#pragma once
// Taking rectangles away from a region: how a scroll finds the area it uncovers. Keeps the
// region invariants of engine/Regions.h and reports through the region module's last error.
// User-interface thread only, like the region module.
#include "engine/regions/Regions.h"

// An empty rectangle changes nothing and succeeds.
EngineErr rgnDiffRect(memHandle rgn, const Rect16& r);
EngineErr rgnDiffRects(memHandle rgn, u16 count, const Rect16* rects);
