#pragma once
// Intersecting two long lists of rectangles in region order by a sweep down the rows where
// rectangles start: on each such row, the rectangles of each list that contain it, ordered
// by left, are walked side by side, so the pieces starting there come out in region order
// and each is joined at once to the piece that ends on its row in the same columns. Not for
// other modules.
#include "engine/base/EngineTypes.h"
#include "engine/regions/RegionScratch.h"
#include "engine/regions/Rects.h"

// Puts in `kept` the intersections of every rectangle of `own` with every one of `given`
// that it overlaps, in region order, vertically touching ones of equal left and right
// joined (as rgnMergeRects joins them); *pieces is their count before joining. Sets *done
// false, leaving `kept` to be discarded, when a list is out of region order, holds an empty
// rectangle or two rectangles that overlap; the memory manager's error when a scratch array
// cannot grow.
EngineErr rgnIntersectByRows(const Rect16* own, u32 ownCount, const Rect16* given, u32 givenCount,
                             RegionScratch<Rect16>& kept, u32* pieces, bool* done);
