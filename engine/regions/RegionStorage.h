#pragma once
// Helpers shared by the region operations: reaching a region's record through its handle,
// resizing its slots and keeping the module's last-error word. Not for other modules.
#include "engine/regions/Regions.h"

// The record of a region, or null with kRgnErrBadRegion stored when the handle has no block or the
// block does not hold the record its header describes.
RegionRecord* rgnRecordOf(memHandle rgn);
// Resizes the block to `capacity` slots; the capacity changes only when the block did.
EngineErr rgnResizeSlots(memHandle rgn, RegionRecord** record, u32 capacity);
// Gives back spare slots, keeping 16 × (count / 16 + 1).
void rgnShrinkSlots(memHandle rgn, RegionRecord** record);
EngineErr rgnSetError(EngineErr error);
