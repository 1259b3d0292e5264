#pragma once
// Hot-spot regions ('MRGN') made from rasters, in their stored form: the region record
// (tag, bounds, capacity, count) and its rectangles, every field big-endian. The opaque places
// of the raster become the region's area, cut into bands of rows that share the same runs, so
// the rectangles are ordered by top, then left, never overlap, and touching rows with equal
// runs are already joined.
#include <vector>

#include "contentgen/raster/Raster.h"

// Throws ArtError when the raster has no opaque place or needs more than 65535 rectangles.
std::vector<u8> writeRegionResource(const Raster& raster);
