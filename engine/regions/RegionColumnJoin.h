#pragma once
// Joining the pieces of an intersection, in region order, as rgnMergeRects joins them, in
// one pass over the pieces: a rectangle joins only one above it of equal left, so for each
// left a table keeps the last rectangle not joined into another, which is the only one a
// later rectangle of that left can join as long as those of one left do not overlap. Not
// for other modules.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

// How a join ended: every rectangle joined or kept; refused because two rectangles of one
// left overlap or come out of top order (a damaged list), where the table could pick another
// rectangle to join than rgnMergeRects, the rectangles partly joined and to be discarded; or
// refused untouched because their lefts spread over more than kRgnJoinLeftsPerPiece columns
// a rectangle.
enum class RgnJoinEnd { joined, overlapping, tooSpread };

constexpr u32 kRgnJoinLeftsPerPiece = 16;

// Joins the `count` rectangles (each non-empty; in region order, or in any order that keeps
// those of each left in it) in place, closes the gaps and puts the count kept in *kept and
// their bounds in *bounds. The memory manager's error when the table cannot be made.
EngineErr rgnJoinColumns(Rect16* rects, u32 count, u32* kept, Rect16* bounds, RgnJoinEnd* end);
