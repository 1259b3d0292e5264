#pragma once
// Handing engine regions to the drawing layer. Reports through the region module's last error.
#include "engine/regions/Regions.h"
#include "platform/gdi/Region.h"

// `out` becomes the union of the region's rectangles moved by (dx, dy). kRgnErrBadRegion for a missing
// output or a bad region.
EngineErr rgnToGdiRegion(plat::gdi::Region* out, memHandle rgn, i16 dx, i16 dy);
