#pragma once
// The scans that the union repeats most, over a region's rectangles: passing the ones a
// rectangle being placed leaves untouched, and finding the first that reaches a row. Each
// has a plain loop, which says what it finds, and a version that looks at several
// rectangles at a time and finds the same for any list, damaged ones included. Not for
// other modules.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

// Whether the union's scan for r (non-empty) passes s by: s starts above r's bottom (above
// r's top while r's place in the list is still open, `placing`), misses r's rows or columns,
// and is not inside r's columns and rows.
inline bool rgnPasses(const Rect16& s, const Rect16& r, bool placing) {
    const i16 topLimit = placing ? r.top : r.bottom;
    return (s.top < topLimit) & ((s.bottom < r.top) | (s.right < r.left) | (s.left > r.right)) &
           ((s.left < r.left) | (s.top < r.top) | (s.right > r.right) | (s.bottom > r.bottom));
}

// The first index from `from` on whose rectangle the scan for r must look at.
int rgnSkipPassing(const Rect16* rects, int from, int count, const Rect16& r, bool placing);
int rgnSkipPassingPlain(const Rect16* rects, int from, int count, const Rect16& r, bool placing);

// The first index from `from` whose rectangle's top or bottom is at or below `row`.
int rgnFirstReaching(const Rect16* rects, int from, int count, i16 row);
int rgnFirstReachingPlain(const Rect16* rects, int from, int count, i16 row);
